# A relocatable package: include/, bin/cmndll.dll, lib/libcmndll.dll.a and the
# CMake config that gives hosts the imported target cmndll::cmndll.
include(CMakePackageConfigHelpers)

install(TARGETS cmndll EXPORT cmndllTargets
  RUNTIME DESTINATION bin
  LIBRARY DESTINATION bin
  ARCHIVE DESTINATION lib)
install(FILES ${CMAKE_SOURCE_DIR}/src/frame/cmndll.h DESTINATION include)
foreach(header ${CMNDLL_PUBLIC_HEADERS})
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR}/src ${header})
  get_filename_component(dir ${rel} DIRECTORY)
  install(FILES ${header} DESTINATION include/${dir})
endforeach()
install(EXPORT cmndllTargets NAMESPACE cmndll:: DESTINATION lib/cmake/cmndll)
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/cmndllConfig.cmake.in
  ${CMAKE_BINARY_DIR}/cmndllConfig.cmake
  INSTALL_DESTINATION lib/cmake/cmndll)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/cmndllConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/cmndllConfig.cmake ${CMAKE_BINARY_DIR}/cmndllConfigVersion.cmake
  DESTINATION lib/cmake/cmndll)
