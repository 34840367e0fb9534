# The analysis windows and the parts they share stand below the program's
# entry and main window: nothing under src/windows/ or src/module/ may
# include a header of src/app/.
# Run as: cmake -DSOURCE_DIR=<src> -P LayerCheck.cmake
file(GLOB_RECURSE files ${SOURCE_DIR}/windows/*.h ${SOURCE_DIR}/windows/*.cpp
     ${SOURCE_DIR}/module/*.h ${SOURCE_DIR}/module/*.cpp)
set(offenders)
foreach(f ${files})
  file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]app/")
  if(lines)
    list(APPEND offenders "${f}: ${lines}")
  endif()
endforeach()
list(LENGTH files count)
if(offenders)
  string(REPLACE ";" "\n" text "${offenders}")
  message(FATAL_ERROR "includes from src/app/:\n${text}")
endif()
message(STATUS "layer check: ${count} files, none includes src/app/")
