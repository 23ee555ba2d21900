# velkor_package(target): how the program reaches a user's machine.
# - Windows: the executable carries the icon and version information, and CPack makes a ZIP
#   with the executable and the picture it reads from its current directory side by side, so
#   the program runs straight from the unpacked folder.
# - Elsewhere: the Debian layout (CPack's DEB generator, also what `cmake --install` does):
#   the program in libexec, a launcher in games, the picture in share/velkor, and a desktop
#   entry that starts the program there, with its icons, AppStream metadata and manual page.
# - The web: the page beside the program's .js and .wasm and the picture, a folder any static
#   web server serves as it is; the build folder is one, `cmake --install` makes another and
#   CPack a ZIP of it.
include(GNUInstallDirs)

set(VELKOR_APP_ID org.velkor.Velkor)
set(VELKOR_SUMMARY "lit, textured cube spinning in a window")
set(VELKOR_MAINTAINER "The Velkor developers <developers@velkor.example.org>"
    CACHE STRING "Maintainer named in the Debian package")
set(VELKOR_PACKAGING_SOURCE ${PROJECT_SOURCE_DIR}/packaging)
set(VELKOR_PACKAGING_BINARY ${PROJECT_BINARY_DIR}/packaging)
# Directories a package makes are readable by all, whatever the builder's umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# The Debian architecture the package is for: the build host's, or in a cross build its
# target's, which CPack would take from the host too, named after the multiarch folder the
# target's libraries come from. Empty where dpkg is not there to say. The web build makes no
# Debian package.
if(NOT WIN32 AND NOT EMSCRIPTEN)
  if(CMAKE_CROSSCOMPILING)
    set(query dpkg-architecture -t ${CMAKE_LIBRARY_ARCHITECTURE} -qDEB_HOST_ARCH)
  else()
    set(query dpkg --print-architecture)
  endif()
  execute_process(COMMAND ${query} OUTPUT_VARIABLE VELKOR_DEBIAN_ARCHITECTURE
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(CMAKE_CROSSCOMPILING AND NOT VELKOR_DEBIAN_ARCHITECTURE)
    message(WARNING "No Debian architecture is known for ${CMAKE_LIBRARY_ARCHITECTURE}: "
                    "a Debian package made here would be named for the build host")
  endif()
endif()

function(velkor_windows_package target image)
  # Four numbers, as VERSIONINFO takes them; those the project leaves out are 0.
  set(version ${PROJECT_VERSION_MAJOR})
  foreach(part MINOR PATCH TWEAK)
    if("${PROJECT_VERSION_${part}}" STREQUAL "")
      string(APPEND version ",0")
    else()
      string(APPEND version ",${PROJECT_VERSION_${part}}")
    endif()
  endforeach()
  set(VELKOR_VERSION_COMMAS ${version})
  get_target_property(icon_folder velkor_icon VELKOR_ICON_FOLDER)
  set(VELKOR_ICO_FILE ${icon_folder}/velkor.ico)
  configure_file(${VELKOR_PACKAGING_SOURCE}/velkor.rc.in ${VELKOR_PACKAGING_BINARY}/velkor.rc
                 @ONLY)
  target_sources(${target} PRIVATE ${VELKOR_PACKAGING_BINARY}/velkor.rc)
  set_source_files_properties(${VELKOR_PACKAGING_BINARY}/velkor.rc
                              PROPERTIES OBJECT_DEPENDS ${VELKOR_ICO_FILE})
  add_dependencies(${target} velkor_icon)

  install(TARGETS ${target} RUNTIME DESTINATION .)
  install(FILES ${image} DESTINATION .)
  # The executable is linked statically, so the two files are the whole package.
  set(CPACK_GENERATOR ZIP PARENT_SCOPE)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF PARENT_SCOPE)
endfunction()

function(velkor_debian_package target image)
  set(program_dir ${CMAKE_INSTALL_LIBEXECDIR}/velkor)
  set(data_dir ${CMAKE_INSTALL_DATADIR}/velkor)
  set(launcher_dir games)
  set(out ${VELKOR_PACKAGING_BINARY})

  install(TARGETS ${target} RUNTIME DESTINATION ${program_dir})
  install(FILES ${image} DESTINATION ${data_dir})

  file(RELATIVE_PATH VELKOR_LAUNCHER_TO_PROGRAM /${launcher_dir} /${program_dir}/velkor)
  file(RELATIVE_PATH VELKOR_LAUNCHER_TO_DATA /${launcher_dir} /${data_dir})
  configure_file(${VELKOR_PACKAGING_SOURCE}/launcher.in ${out}/velkor @ONLY)
  install(PROGRAMS ${out}/velkor DESTINATION ${launcher_dir})

  # The desktop entry names the launcher and the picture's folder by their full paths, known
  # only when installing: CPack installs into /usr, `cmake --install` wherever it is told.
  set(desktop_entry ${out}/${VELKOR_APP_ID}.desktop)
  install(CODE "
    set(VELKOR_APP_ID ${VELKOR_APP_ID})
    set(VELKOR_INSTALLED_LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/${launcher_dir}/velkor\")
    set(VELKOR_INSTALLED_DATA_DIR \"\${CMAKE_INSTALL_PREFIX}/${data_dir}\")
    configure_file(${VELKOR_PACKAGING_SOURCE}/velkor.desktop.in ${desktop_entry} @ONLY)")
  install(FILES ${desktop_entry} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

  get_target_property(icon_folder velkor_icon VELKOR_ICON_FOLDER)
  get_target_property(icon_sides velkor_icon VELKOR_ICON_SIDES)
  add_dependencies(${target} velkor_icon)
  foreach(side ${icon_sides})
    install(FILES ${icon_folder}/velkor-${side}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${side}x${side}/apps
            RENAME ${VELKOR_APP_ID}.png)
  endforeach()

  set(VELKOR_SCREENSHOT_URL ${PROJECT_HOMEPAGE_URL}docs/screenshot.png)
  configure_file(${VELKOR_PACKAGING_SOURCE}/metainfo.xml.in
                 ${out}/${VELKOR_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${out}/${VELKOR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # Debian keeps manual pages and the changelog compressed with gzip -9n.
  configure_file(${VELKOR_PACKAGING_SOURCE}/changelog.in ${out}/changelog @ONLY)
  add_custom_command(
    OUTPUT ${out}/velkor.6.gz ${out}/changelog.gz
    COMMAND gzip -9nc ${VELKOR_PACKAGING_SOURCE}/velkor.6 > ${out}/velkor.6.gz
    COMMAND gzip -9nc ${out}/changelog > ${out}/changelog.gz
    DEPENDS ${VELKOR_PACKAGING_SOURCE}/velkor.6 ${out}/changelog
    COMMENT "Compressing the manual page and the changelog")
  add_custom_target(velkor_documents ALL DEPENDS ${out}/velkor.6.gz ${out}/changelog.gz)
  install(FILES ${out}/velkor.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  install(FILES ${out}/changelog.gz ${VELKOR_PACKAGING_SOURCE}/copyright
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velkor)

  set(CPACK_GENERATOR DEB PARENT_SCOPE)
endfunction()

function(velkor_web_package target image)
  set(page ${PROJECT_BINARY_DIR}/index.html)
  configure_file(${VELKOR_PACKAGING_SOURCE}/web/index.html ${page} COPYONLY)
  install(FILES ${page} ${image} $<TARGET_FILE:${target}>
                $<TARGET_FILE_DIR:${target}>/$<TARGET_FILE_BASE_NAME:${target}>.wasm
          DESTINATION .)
  set(CPACK_GENERATOR ZIP PARENT_SCOPE)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF PARENT_SCOPE)
  set(CPACK_SYSTEM_NAME web PARENT_SCOPE)
endfunction()

function(velkor_package target)
  get_target_property(image velkor_image VELKOR_IMAGE_FILE)
  add_dependencies(${target} velkor_image)
  if(WIN32)
    velkor_windows_package(${target} ${image})
  elseif(EMSCRIPTEN)
    velkor_web_package(${target} ${image})
  else()
    velkor_debian_package(${target} ${image})
  endif()

  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${VELKOR_SUMMARY})
  set(CPACK_PACKAGE_DESCRIPTION [[
Velkor opens one window and shows a cube wearing a picture of a mountain
lake at dusk, lit from one side, turning about all three axes until Escape
or the close button ends it. It draws through its own software
implementation of a fixed-function 3D pipeline and needs no graphics driver.]])
  set(CPACK_STRIP_FILES ON)
  set(CPACK_DEBIAN_PACKAGE_NAME velkor)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${VELKOR_DEBIAN_ARCHITECTURE})
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VELKOR_MAINTAINER})
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # Added to what the program links. Where the Wayland compositor leaves the title bar to the
  # program (GNOME, weston), SDL draws it through libdecor's plugin, which libdecor only
  # recommends: without it the window has no title bar, and no close button.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS libdecor-0-plugin-1-cairo)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  include(CPack)
endfunction()
