# The SDK: what `cmake --install` lays out for hosts built with mingw-w64, and the ZIP that `make package`
# makes of it with CPack.
#   bin/      the DLLs (the library and the MFC stand-in)
#   lib/      their import libraries, the stand-in's program entry (afxmain) and the host kit's libraries,
#             and lib/cmake/Pardalin67U, the package that find_package(Pardalin67U CONFIG) reads
#   include/  the library's exported headers by folder (core/, frame/, ...), its message ids
#             (PardalinMessages.h), the host kit's headers, and the stand-in's MFC-named headers in include/afx
# Internal headers (detail/ folders) are not part of it.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(PARDALIN_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Pardalin67U)

install(TARGETS afx afxmain Pardalin67U hostkit hostkit_files EXPORT Pardalin67UTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})

install(DIRECTORY afx/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/afx)
foreach(folder ${PARDALIN_FOLDERS} resources hostkit)
    install(DIRECTORY ${folder}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${folder}
            FILES_MATCHING PATTERN "*.h" PATTERN "detail" EXCLUDE)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/pardalin_objects_mc/PardalinMessages.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

install(EXPORT Pardalin67UTargets NAMESPACE Pardalin67U:: DESTINATION ${PARDALIN_PACKAGE_DIR})
configure_package_config_file(cmake/Pardalin67UConfig.cmake.in ${CMAKE_BINARY_DIR}/Pardalin67UConfig.cmake
                              INSTALL_DESTINATION ${PARDALIN_PACKAGE_DIR} PATH_VARS CMAKE_INSTALL_BINDIR)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/Pardalin67UConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/Pardalin67UConfig.cmake ${CMAKE_BINARY_DIR}/Pardalin67UConfigVersion.cmake
        DESTINATION ${PARDALIN_PACKAGE_DIR})

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Pardalin67U-SDK)
set(CPACK_PACKAGE_VENDOR "The Pardalin67U developers")
set(CPACK_SYSTEM_NAME win64-mingw-w64)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_SOURCE_DIR}/out/package)
include(CPack)
