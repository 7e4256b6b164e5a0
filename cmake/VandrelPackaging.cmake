# SPDX-License-Identifier: MIT
# Debian packages from the install components, one package each:
#   runtime -> libvandrel<major>   the shared libraries
#   dev     -> libvandrel-dev      headers, CMake and pkg-config files, link names
#   cli     -> vandrel             the command line, its man page and completion
#   thumbnailer, studio, imaging -> vandrel-thumbnailer, vandrel-studio, vandrel-imaging
# Dependencies on system libraries are computed by dpkg-shlibdeps; the ones
# between our packages are exact versions. No maintainer scripts: dpkg's
# triggers refresh the MIME, desktop and icon caches.
# Built by scripts/make-packages.sh (make package) in a tree of its own with
# the prefix /usr, so no run path is needed or set.

set(deb_version "${PROJECT_VERSION}-1")
set(lib_package "libvandrel${PROJECT_VERSION_MAJOR}")
set(deb_maintainer "Vandrel developers <dev@vandrel.org>")

# Every package carries the licence and a Debian changelog, as policy asks.
set(deb_doc "${CMAKE_BINARY_DIR}/deb-doc")
# SOURCE_DATE_EPOCH, when set, makes the date (and so the package) reproducible.
string(TIMESTAMP deb_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE "${deb_doc}/changelog.Debian"
"vandrel (${deb_version}) unstable; urgency=medium

  * Packages of the libraries, the command line, the thumbnailer, the studio
    and the image editor, built from the project's sources.

 -- ${deb_maintainer}  ${deb_date}
")
add_custom_command(OUTPUT "${deb_doc}/changelog.Debian.gz"
  COMMAND gzip -9nf -k "${deb_doc}/changelog.Debian"
  DEPENDS "${deb_doc}/changelog.Debian"
  COMMENT "Debian changelog")
add_custom_target(vandrel-deb-doc ALL DEPENDS "${deb_doc}/changelog.Debian.gz")

file(READ "${CMAKE_SOURCE_DIR}/LICENSE" licence_text)
string(REGEX REPLACE "\n\n" "\n.\n" licence_text "${licence_text}")
string(REGEX REPLACE "\n([^\n])" "\n \\1" licence_text "${licence_text}")
string(REGEX REPLACE "\n+$" "" licence_text "${licence_text}")
file(WRITE "${deb_doc}/copyright"
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: vandrel
Source: https://vandrel.org/

Files: *
Copyright: 2026 Vandrel developers
License: MIT
 ${licence_text}
")

set(deb_packages
  runtime ${lib_package} libs "shared libraries of the Vandrel CAD toolkit"
  dev libvandrel-dev libdevel "development files of the Vandrel CAD toolkit"
  cli vandrel graphics "command line for AutoCAD slides, DXF/DWG, dBASE and images"
  thumbnailer vandrel-thumbnailer graphics "desktop thumbnails of AutoCAD slides and drawings"
  studio vandrel-studio graphics "browser for AutoCAD slides, libraries and drawings"
  imaging vandrel-imaging graphics "image viewer and editor of the Vandrel CAD toolkit")

set(long_runtime
  "The Vandrel libraries read, draw and maintain AutoCAD slide files and\n"
  "slide libraries, draw DWG previews and DXF drawings, browse files in\n"
  "thumbnail grids, evaluate expressions, compute airfoils, view and edit\n"
  "images, keep albums in a database, read dBASE tables, and offer an\n"
  "event-driven socket and dialogs.")
set(long_dev
  "Headers, CMake package files (find_package(Vandrel)) and pkg-config files\n"
  "(vandrel-kivcore.pc ...) for building programs against the Vandrel libraries.")
set(long_cli
  "Shows, draws and maintains AutoCAD slides and slide libraries, DWG\n"
  "previews, DXF drawings, dBASE tables, images and albums from the shell,\n"
  "with JSON output for scripts.")
set(long_thumbnailer
  "A freedesktop thumbnailer that gives file managers pictures of AutoCAD slides,\n"
  "slide libraries, DWG drawings with a preview, and DXF drawings.")
set(long_studio
  "A desktop browser of folders of AutoCAD slides, slide libraries, drawings and\n"
  "images in thumbnail grids, with the toolkit's dialogs and controls.")
set(long_imaging
  "A viewer and editor of BMP, JPEG, PNG, GIF, TIFF (every page), WebP and PNM\n"
  "images, with scanning and printing.")

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING IGNORE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vandrel)
# Each package's own first line is its summary: CPack puts the project's
# before it unless the summary is CPack's default.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")
set(CPACK_PACKAGE_VENDOR "Vandrel developers")
set(CPACK_PACKAGE_CONTACT "${deb_maintainer}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_DEBIAN_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${deb_maintainer}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vandrel.org/")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Our own libraries are found in the package being built, not on the system:
# the dependency on them is the exact one below.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${CMAKE_BINARY_DIR}/lib")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_OUTPUT_FILE_PREFIX "${CMAKE_BINARY_DIR}/packages")
set(CPACK_COMPONENTS_ALL runtime dev cli thumbnailer studio imaging)

list(LENGTH deb_packages count)
math(EXPR last "${count} - 1")
foreach(i RANGE 0 ${last} 4)
  math(EXPR n1 "${i} + 1")
  math(EXPR n2 "${i} + 2")
  math(EXPR n3 "${i} + 3")
  list(GET deb_packages ${i} component)
  list(GET deb_packages ${n1} package)
  list(GET deb_packages ${n2} section)
  list(GET deb_packages ${n3} summary)
  string(TOUPPER "${component}" C)
  set(CPACK_DEBIAN_${C}_PACKAGE_NAME "${package}")
  set(CPACK_DEBIAN_${C}_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_${C}_PACKAGE_SECTION "${section}")
  string(JOIN "" long ${long_${component}})
  set(CPACK_DEBIAN_${C}_DESCRIPTION "${summary}\n${long}")
  install(FILES "${deb_doc}/copyright" "${deb_doc}/changelog.Debian.gz"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/${package}" COMPONENT ${component})
  # What lintian says and we keep, each with its reason, where lintian reads it.
  set(overrides "# Built outside the Debian archive: no bug is closed by this upload.\n"
    "${package}: initial-upload-closes-no-bugs\n")
  if(component STREQUAL "runtime")
    list(APPEND overrides "# One package carries all the libraries, which share a version and are\n"
      "# always used together, where a package per SONAME would make fourteen.\n"
      "${package}: package-name-doesnt-match-sonames *\n")
  endif()
  string(JOIN "" overrides ${overrides})
  file(WRITE "${deb_doc}/overrides/${package}" "${overrides}")
  install(FILES "${deb_doc}/overrides/${package}" DESTINATION "${CMAKE_INSTALL_DATADIR}/lintian/overrides"
    COMPONENT ${component})
endforeach()

set(exact "${lib_package} (= ${deb_version})")
# Albums open SQLite files through Qt's driver plugin, which nothing links to.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "libqt6sql6-sqlite")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_RECOMMENDS "libqt6sql6-psql")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY "=")
# The loader's cache is refreshed by dpkg's ldconfig trigger, as debhelper
# does it. CPack writes ldconfig scripts unless the package names its own:
# the names it is given point at no file, so none is written or shipped.
file(WRITE "${deb_doc}/triggers" "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA
  "${deb_doc}/triggers" "${deb_doc}/no-scripts/postinst" "${deb_doc}/no-scripts/postrm")
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS
  "${exact}, qt6-base-dev, qt6-multimedia-dev, nettle-dev, libmagick++-dev, libtiff-dev, libsane-dev, pkgconf | pkg-config")
set(CPACK_DEBIAN_DEV_PACKAGE_SHLIBDEPS OFF)
foreach(C CLI THUMBNAILER STUDIO IMAGING)
  set(CPACK_DEBIAN_${C}_PACKAGE_DEPENDS "${exact}")
endforeach()
# The thumbnailer's file types are known to the desktop through shared-mime-info.
set(CPACK_DEBIAN_THUMBNAILER_PACKAGE_DEPENDS "${exact}, shared-mime-info")
# The apps' display plugins (xcb, offscreen) come with libqt6gui6 itself;
# their SVG icons are drawn by Qt's SVG plugin, which nothing links to.
set(CPACK_DEBIAN_STUDIO_PACKAGE_DEPENDS "${exact}, libqt6svg6")
set(CPACK_DEBIAN_IMAGING_PACKAGE_DEPENDS "${exact}, libqt6svg6")

include(CPack)
