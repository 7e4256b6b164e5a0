# vandrel_add_library(NAME FOLDER <dir> SOURCES ... HEADERS ... [PUBLIC_LINK ...] [PRIVATE_LINK ...])
#
# A shared library with the house conventions: an export header
# <folder>/<name>_export.h, the alias Vandrel::<name>, headers installed under
# include/vandrel/<folder>/, and an exported target for the package config.
function(vandrel_add_library name)
  cmake_parse_arguments(ARG "" "FOLDER" "SOURCES;HEADERS;PUBLIC_LINK;PRIVATE_LINK" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES} ${ARG_HEADERS})
  add_library(Vandrel::${name} ALIAS ${name})
  string(TOUPPER ${name} upper)
  generate_export_header(${name}
    BASE_NAME ${upper}
    EXPORT_FILE_NAME "${CMAKE_BINARY_DIR}/include/${ARG_FOLDER}/${name}_export.h")
  target_include_directories(${name} PUBLIC
    "$<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}>"
    "$<BUILD_INTERFACE:${CMAKE_BINARY_DIR}/include>"
    "$<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/vandrel>")
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LINK} PRIVATE ${ARG_PRIVATE_LINK})
  # Every symbol a library uses comes from what it links: a part cut into
  # the wrong library fails here, not in a host.
  if(NOT VANDREL_SANITIZE AND NOT VANDREL_FUZZ)
    target_link_options(${name} PRIVATE "LINKER:--no-undefined")
  endif()
  set_target_properties(${name} PROPERTIES
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR}
    EXPORT_NAME ${name})
  install(TARGETS ${name} EXPORT Vandrel${name}Targets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # A header in a subfolder (io/ByteSource.h) keeps it.
  foreach(header IN LISTS ARG_HEADERS)
    get_filename_component(subfolder "${header}" DIRECTORY)
    install(FILES ${header} DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}/vandrel/${ARG_FOLDER}/${subfolder}")
  endforeach()
  install(FILES "${CMAKE_BINARY_DIR}/include/${ARG_FOLDER}/${name}_export.h"
    DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}/vandrel/${ARG_FOLDER}")
  install(EXPORT Vandrel${name}Targets NAMESPACE Vandrel::
    DESTINATION "${CMAKE_INSTALL_LIBDIR}/cmake/Vandrel")
endfunction()
