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
