# Library sources: every .cpp below src/<subsystem>/, except the DLL entry point,
# which only the DLL target gets. Resource scripts go into the DLL only.
file(GLOB CMNDLL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*/*.cpp)
list(FILTER CMNDLL_SOURCES EXCLUDE REGEX "/src/frame/DllMain\\.cpp$")
file(GLOB CMNDLL_RESOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/res/*.rc)
file(GLOB CMNDLL_PUBLIC_HEADERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*/*.h)
list(FILTER CMNDLL_PUBLIC_HEADERS EXCLUDE REGEX "_int\\.h$")
