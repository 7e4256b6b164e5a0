# SPDX-License-Identifier: MIT
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
  # The shared objects are what programs need (runtime); the link names,
  # headers and package files what builds against them need (dev).
  install(TARGETS ${name} EXPORT Vandrel${name}Targets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
  # A header in a subfolder (io/ByteSource.h) keeps it.
  foreach(header IN LISTS ARG_HEADERS)
    get_filename_component(subfolder "${header}" DIRECTORY)
    install(FILES ${header} DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}/vandrel/${ARG_FOLDER}/${subfolder}" COMPONENT dev)
  endforeach()
  install(FILES "${CMAKE_BINARY_DIR}/include/${ARG_FOLDER}/${name}_export.h"
    DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}/vandrel/${ARG_FOLDER}" COMPONENT dev)
  install(EXPORT Vandrel${name}Targets NAMESPACE Vandrel::
    DESTINATION "${CMAKE_INSTALL_LIBDIR}/cmake/Vandrel" COMPONENT dev)
  vandrel_pkg_config(${name} ${ARG_PUBLIC_LINK})
endfunction()

# vandrel_pkg_config(NAME PUBLIC_LINK...)
#
# lib/pkgconfig/vandrel-<name>.pc for builds that do not use CMake: the
# library, the headers' root, and Requires: the libraries and Qt modules its
# headers use. The prefix is found from the file's own place, so an
# unpacked or relocated tree works.
function(vandrel_pkg_config name)
  set(requires "")
  foreach(dep IN LISTS ARGN)
    if(dep MATCHES "^Qt6::(.+)$")
      list(APPEND requires "Qt6${CMAKE_MATCH_1}")
    elseif(TARGET ${dep} AND NOT dep MATCHES "::")
      string(TOLOWER "${dep}" lower_dep)
      list(APPEND requires "vandrel-${lower_dep}")
    endif()
  endforeach()
  list(JOIN requires " " requires)
  string(TOLOWER "${name}" lower)
  file(RELATIVE_PATH up "/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/")
  string(REGEX REPLACE "/$" "" up "${up}")
  file(CONFIGURE OUTPUT "${CMAKE_BINARY_DIR}/pkgconfig/vandrel-${lower}.pc" CONTENT
"prefix=\${pcfiledir}/${up}
libdir=\${prefix}/${CMAKE_INSTALL_LIBDIR}
includedir=\${prefix}/${CMAKE_INSTALL_INCLUDEDIR}/vandrel

Name: vandrel-${lower}
Description: Vandrel ${name}: AutoCAD slides, drawings, images and controls on Qt 6
Version: ${PROJECT_VERSION}
Requires: ${requires}
Libs: -L\${libdir} -l${name}
Cflags: -I\${includedir}
" @ONLY)
  install(FILES "${CMAKE_BINARY_DIR}/pkgconfig/vandrel-${lower}.pc"
    DESTINATION "${CMAKE_INSTALL_LIBDIR}/pkgconfig" COMPONENT dev)
endfunction()

# vandrel_install_man(PAGE COMPONENT)
#
# A manual page into share/man/man1; packages carry it compressed, as
# Debian's policy asks (gzip -9n: no name or time stamp, so the bytes repeat).
function(vandrel_install_man page component)
  if(NOT VANDREL_DEB)
    install(FILES "${page}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1" COMPONENT ${component})
    return()
  endif()
  get_filename_component(name "${page}" NAME)
  set(packed "${CMAKE_BINARY_DIR}/man-gz/${name}.gz")
  add_custom_command(OUTPUT "${packed}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/man-gz"
    COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" sh "${page}" "${packed}"
    DEPENDS "${page}" VERBATIM)
  add_custom_target(man-${name} ALL DEPENDS "${packed}")
  install(FILES "${packed}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1" COMPONENT ${component})
endfunction()
