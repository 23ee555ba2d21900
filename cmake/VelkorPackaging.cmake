# velkor_package(target): installs the executable and the generated picture it reads from its
# current directory side by side: in bin/ on Linux, and at the root of the ZIP that CPack makes
# for Windows, so the program runs straight from the unpacked folder.
include(GNUInstallDirs)

function(velkor_package target)
  if(WIN32)
    set(destination .)
  else()
    set(destination ${CMAKE_INSTALL_BINDIR})
  endif()
  get_target_property(image velkor_image VELKOR_IMAGE_FILE)
  add_dependencies(${target} velkor_image)
  install(TARGETS ${target} RUNTIME DESTINATION ${destination})
  install(FILES ${image} DESTINATION ${destination})

  if(WIN32)
    # The executable is linked statically, so the two files are the whole package.
    set(CPACK_GENERATOR ZIP)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    include(CPack)
  endif()
endfunction()
