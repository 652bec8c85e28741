# The version is the one the Windows program file carries, so that the packages
# cannot drift apart from it.
file(STRINGS ${PROJECT_SOURCE_DIR}/res/zelvora.rc ZEL_RC_VERSION REGEX "\"ProductVersion\"")
string(REGEX MATCH "[0-9]+(\\.[0-9]+)*" ZEL_PACKAGE_VERSION "${ZEL_RC_VERSION}")
if(NOT ZEL_PACKAGE_VERSION)
  message(FATAL_ERROR "no ProductVersion in res/zelvora.rc")
endif()
