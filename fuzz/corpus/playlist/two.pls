[playlist]
NumberOfEntries=2
File1=http://a.invalid/one
Title1=One
File2=mms://b.invalid/two
Length2=-1
Version=2
