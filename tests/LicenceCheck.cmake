# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file of the project names its licence in its first lines, so that a
# file copied out of the project still says under which terms it may be used.
# Run as: cmake -DSOURCE_DIR=<project> -P LicenceCheck.cmake
cmake_minimum_required(VERSION 3.20)
file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR}
     ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/tests/*.h ${SOURCE_DIR}/tests/*.cpp
     ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/fuzz/*.cpp ${SOURCE_DIR}/*CMakeLists.txt
     ${SOURCE_DIR}/*.cmake ${SOURCE_DIR}/tests/*.sh ${SOURCE_DIR}/bench/*.sh)
set(offenders)
foreach(f ${files})
  if(f MATCHES "^build" OR f MATCHES "/build")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${f} head LIMIT_COUNT 3)
  if(NOT head MATCHES "SPDX-License-Identifier: GPL-3.0-or-later")
    list(APPEND offenders ${f})
  endif()
endforeach()
if(offenders)
  list(JOIN offenders "\n  " text)
  message(FATAL_ERROR "Without the licence line:\n  ${text}")
endif()
