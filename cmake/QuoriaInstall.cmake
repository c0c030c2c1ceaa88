# Install rules: the shared library, the public headers (flat, under
# include/Quoria), a relocatable CMake package exporting Quoria::Quoria and a
# pkg-config file.
include(CMakePackageConfigHelpers)

# Every header directly in geometry/ and api/ is public; their Source/
# folders are the library's own.
file(GLOB QUORIA_PUBLIC_HEADERS CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/geometry/*.h
     ${PROJECT_SOURCE_DIR}/api/*.h)

# Installing flat would let one header silently overwrite another.
set(quoria_header_names "")
foreach(header IN LISTS QUORIA_PUBLIC_HEADERS)
    get_filename_component(name ${header} NAME)
    if(name IN_LIST quoria_header_names)
        message(FATAL_ERROR "Two public headers are named ${name}; they would collide in include/Quoria.")
    endif()
    list(APPEND quoria_header_names ${name})
endforeach()

set(QUORIA_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quoria
    CACHE STRING "Where the Quoria CMake package is installed, relative to the prefix")
set(QUORIA_INSTALL_PKGCONFIGDIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig
    CACHE STRING "Where quoria.pc is installed, relative to the prefix")

install(TARGETS Quoria EXPORT QuoriaTargets
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Quoria_Runtime
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Quoria_Runtime NAMELINK_COMPONENT Quoria_Development
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Quoria_Development)
install(FILES ${QUORIA_PUBLIC_HEADERS}
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/Quoria COMPONENT Quoria_Development)

install(EXPORT QuoriaTargets
    NAMESPACE Quoria::
    FILE QuoriaTargets.cmake
    DESTINATION ${QUORIA_INSTALL_CMAKEDIR}
    COMPONENT Quoria_Development)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/QuoriaConfig.cmake.in
    ${PROJECT_BINARY_DIR}/QuoriaConfig.cmake
    INSTALL_DESTINATION ${QUORIA_INSTALL_CMAKEDIR})
# The library promises a stable interface within one major version.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QuoriaConfigVersion.cmake
    VERSION ${PROJECT_VERSION}
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QuoriaConfig.cmake ${PROJECT_BINARY_DIR}/QuoriaConfigVersion.cmake
    DESTINATION ${QUORIA_INSTALL_CMAKEDIR} COMPONENT Quoria_Development)

# quoria.pc is configured while installing, not while configuring, so that
# it names the prefix actually installed to (cmake --install --prefix).
install(CODE "
    set(QUORIA_PC_TEMPLATE \"${PROJECT_SOURCE_DIR}/quoria.pc.in\")
    set(QUORIA_PC_OUTPUT \"${PROJECT_BINARY_DIR}/quoria.pc\")
    set(QUORIA_PC_VERSION \"${PROJECT_VERSION}\")
    set(QUORIA_PC_DESCRIPTION \"${PROJECT_DESCRIPTION}\")
    set(QUORIA_PC_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
    set(QUORIA_PC_INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\")
    include(\"${PROJECT_SOURCE_DIR}/cmake/QuoriaPkgConfig.cmake\")
" COMPONENT Quoria_Development)
install(FILES ${PROJECT_BINARY_DIR}/quoria.pc
    DESTINATION ${QUORIA_INSTALL_PKGCONFIGDIR} COMPONENT Quoria_Development)
