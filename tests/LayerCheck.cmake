# SPDX-License-Identifier: GPL-3.0-or-later
# Includes run one way: each folder of src/ may include its own headers and
# those of the folders listed for it, nothing else. The base folders come
# first (settings, then term, plot and export above it; widgets beside them),
# then module, then the windows, then the program's entry and main window.
# Run as: cmake -DSOURCE_DIR=<src> -P LayerCheck.cmake
cmake_minimum_required(VERSION 3.20)
set(may_include_settings settings)
set(may_include_term settings term)
set(may_include_plot settings term plot)
set(may_include_export settings term plot export)
set(may_include_widgets settings widgets)
set(may_include_module settings term plot export widgets module)
set(may_include_windows settings term plot export widgets module windows)
set(may_include_app settings term plot export widgets module windows app)
set(folders settings term plot export widgets module windows app)

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
set(offenders)
foreach(f ${files})
  string(REGEX MATCH "^[^/]+" folder "${f}")
  if(NOT folder IN_LIST folders)
    list(APPEND offenders "${f}: folder '${folder}' has no row in the layer table")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([a-z]+)/.*" "\\1" target "${line}")
    if(NOT target IN_LIST may_include_${folder})
      list(APPEND offenders "${f}: ${folder} may not include ${target}/ (${line})")
    endif()
  endforeach()
endforeach()
list(LENGTH files count)
if(offenders)
  string(REPLACE ";" "\n" text "${offenders}")
  message(FATAL_ERROR "includes against the layers:\n${text}")
endif()
message(STATUS "layer check: ${count} files, every include runs downwards")
