# SPDX-License-Identifier: MIT
file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")

function(step)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGN}\n${out}\n${err}")
  endif()
endfunction()

step(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}")
# The studio finds its samples in the installed data folder.
if(NOT EXISTS "${prefix}/share/vandrel/samples/slides/HOUSE.SLD")
  message(FATAL_ERROR "the sample slides are not installed")
endif()
if(NOT EXISTS "${prefix}/share/vandrel/samples/airfoil/NACA2412.DAT")
  message(FATAL_ERROR "the sample airfoils are not installed")
endif()
# A host of sanitized libraries must be sanitized itself.
set(flags "")
if(SANITIZE)
  set(flags "-fsanitize=address,undefined")
endif()
step(${CMAKE_COMMAND} -S "${SOURCE_DIR}" -B "${WORK_DIR}/build" -G "${GENERATOR}"
     "-DCMAKE_PREFIX_PATH=${prefix}" "-DCMAKE_CXX_FLAGS=${flags}"
     "-DVANDREL_HEADERS=${prefix}/include/vandrel")
step(${CMAKE_COMMAND} --build "${WORK_DIR}/build")
execute_process(COMMAND "${WORK_DIR}/build/consumer" RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "36\n")
  message(FATAL_ERROR "the host printed '${out}' with status ${rc}")
endif()

# A host that does not use CMake: the flags pkg-config gives, from the
# installed .pc files alone.
find_program(PKG_CONFIG pkg-config REQUIRED)
file(GLOB_RECURSE pc_files "${prefix}/*/vandrel-kivcore.pc")
list(LENGTH pc_files found)
if(NOT found EQUAL 1)
  message(FATAL_ERROR "vandrel-kivcore.pc is not installed once: ${pc_files}")
endif()
get_filename_component(pc_dir "${pc_files}" DIRECTORY)
set(ENV{PKG_CONFIG_PATH} "${pc_dir}")
execute_process(COMMAND ${PKG_CONFIG} --cflags --libs vandrel-kivcore vandrel-kivctrl
  RESULT_VARIABLE rc OUTPUT_VARIABLE flags ERROR_VARIABLE err OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "pkg-config: ${err}")
endif()
# The prefix is found from the .pc file's own folder: "…/lib/pkgconfig/../..".
foreach(expected "/include/vandrel" "-lKivCore" "-lKivPlatform" "-lKivCtrl" "-lKivGui")
  string(FIND " ${flags} " "${expected} " at)
  if(at LESS 0)
    message(FATAL_ERROR "pkg-config gave '${flags}', without ${expected}")
  endif()
endforeach()
separate_arguments(flag_list UNIX_COMMAND "${flags}")
set(sanitize "")
if(SANITIZE)
  set(sanitize "-fsanitize=address,undefined")
endif()
step(c++ -std=c++20 ${sanitize} "${SOURCE_DIR}/pkgconfig_main.cpp" -o "${WORK_DIR}/pc_host" ${flag_list}
  "-Wl,-rpath,${prefix}/lib")
execute_process(COMMAND "${WORK_DIR}/pc_host" RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "255\n")
  message(FATAL_ERROR "the pkg-config host printed '${out}' with status ${rc}")
endif()
