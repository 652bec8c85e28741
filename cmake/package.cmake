# The release package: zelvora-<version>-win32.zip (or -win64.zip from the 64-bit
# build) in the build folder, with the program, its help, its introduction and a note
# for Windows users, all in one folder "Zelvora" that a person unpacks wherever they
# like. Build it with
#   cmake --build --preset windows --target zelvora-zip   (or --preset windows64)
if(NOT TARGET zelvora)
  return()
endif()

include(${PROJECT_SOURCE_DIR}/cmake/version.cmake)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(ZEL_PACKAGE_ARCH win64)
else()
  set(ZEL_PACKAGE_ARCH win32)
endif()
set(ZEL_PACKAGE_ZIP ${CMAKE_BINARY_DIR}/zelvora-${ZEL_PACKAGE_VERSION}-${ZEL_PACKAGE_ARCH}.zip)
set(ZEL_PACKAGE_STAGE ${CMAKE_BINARY_DIR}/package)
set(ZEL_PACKAGE_DIR ${ZEL_PACKAGE_STAGE}/Zelvora)
file(MAKE_DIRECTORY ${ZEL_PACKAGE_STAGE})  # the packing runs in it

# The help, the introduction and the starter stations are data files beside the
# program; the glob notices them when they are added or removed. None of them is a
# file the program writes, so a new package unpacked over an old one leaves the
# user's stations and settings alone.
file(GLOB ZEL_PACKAGE_DATA CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/res/zelvora.html ${PROJECT_SOURCE_DIR}/res/intro.rtf
  ${PROJECT_SOURCE_DIR}/res/starter-stations.m3u)

# Notepad on older Windows shows a text with bare line feeds as one long line.
set(ZEL_PACKAGE_NOTE ${CMAKE_BINARY_DIR}/README-Windows-crlf.txt)
add_custom_command(OUTPUT ${ZEL_PACKAGE_NOTE}
  COMMAND ${CMAKE_COMMAND} -DIN=${PROJECT_SOURCE_DIR}/res/README-Windows.txt
          -DOUT=${ZEL_PACKAGE_NOTE} -P ${PROJECT_SOURCE_DIR}/cmake/crlf.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/res/README-Windows.txt ${PROJECT_SOURCE_DIR}/cmake/crlf.cmake
  VERBATIM)

set(ZEL_PACKAGE_NAMES zelvora.exe README-Windows.txt)
foreach(f IN LISTS ZEL_PACKAGE_DATA)
  get_filename_component(name ${f} NAME)
  list(APPEND ZEL_PACKAGE_NAMES ${name})
endforeach()
list(TRANSFORM ZEL_PACKAGE_NAMES PREPEND Zelvora/ OUTPUT_VARIABLE ZEL_PACKAGE_ENTRIES)

set(ZEL_PACKAGE_COPY_DATA)
if(ZEL_PACKAGE_DATA)
  set(ZEL_PACKAGE_COPY_DATA COMMAND ${CMAKE_COMMAND} -E copy ${ZEL_PACKAGE_DATA} ${ZEL_PACKAGE_DIR})
endif()

add_custom_command(OUTPUT ${ZEL_PACKAGE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${ZEL_PACKAGE_DIR}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ZEL_PACKAGE_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:zelvora> ${ZEL_PACKAGE_DIR}/zelvora.exe
  COMMAND ${CMAKE_COMMAND} -E copy ${ZEL_PACKAGE_NOTE} ${ZEL_PACKAGE_DIR}/README-Windows.txt
  ${ZEL_PACKAGE_COPY_DATA}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${ZEL_PACKAGE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${ZEL_PACKAGE_ZIP} --format=zip ${ZEL_PACKAGE_ENTRIES}
  WORKING_DIRECTORY ${ZEL_PACKAGE_STAGE}
  DEPENDS zelvora ${ZEL_PACKAGE_NOTE} ${ZEL_PACKAGE_DATA}
  COMMENT "Packing ${ZEL_PACKAGE_ZIP}"
  VERBATIM)
add_custom_target(zelvora-zip DEPENDS ${ZEL_PACKAGE_ZIP})
