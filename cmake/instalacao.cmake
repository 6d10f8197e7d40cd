# What ships: the shared library's version links, the Windows version
# resources, the install rules (header, library, cargabal, a CMake package and
# a pkg-config file) and the Debian package (cpack -G DEB).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# ---- Versions ----

if(NOT WIN32)
  # libquelbcargabal.so.X.Y.Z, with the links .so.X (the SONAME) and .so.
  set_target_properties(quelbcargabal PROPERTIES
    VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
endif()

if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(QUELB_BITS "32 bits")
  else()
    set(QUELB_BITS "64 bits")
  endif()
  # The version resource that Windows shows in the file's properties.
  function(quelb_recurso_versao alvo arquivo tipo descricao)
    set(QUELB_RC_ARQUIVO ${arquivo})
    set(QUELB_RC_TIPO ${tipo})
    set(QUELB_RC_DESCRICAO "${descricao} (${QUELB_BITS})")
    set(rc ${PROJECT_BINARY_DIR}/recursos/${alvo}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/versao.rc.in ${rc} @ONLY)
    target_sources(${alvo} PRIVATE ${rc})
  endfunction()
  quelb_recurso_versao(quelbcargabal quelbcargabal.dll VFT_DLL
    "Geração dos arquivos de carga de produtos para balanças comerciais")
  # No link time in the binaries: the same sources give the same bytes
  # (build-windows.sh has strip write the last commit's date in the header).
  target_link_options(quelbcargabal PRIVATE -Wl,--no-insert-timestamp)
  if(TARGET cargabal)
    quelb_recurso_versao(cargabal cargabal.exe VFT_APP
      "cargabal: gera a carga das balanças a partir de um catálogo de produtos")
    # Like the DLL, the command carries the GCC, C++ and thread run-times.
    target_link_options(cargabal PRIVATE -static -Wl,--no-insert-timestamp)
  endif()
endif()

# ---- Install ----

set(QUELB_DIR_CMAKE ${CMAKE_INSTALL_LIBDIR}/cmake/quelbcargabal)

# Hosts that link the imported target find the header through it.
target_include_directories(quelbcargabal INTERFACE
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
install(TARGETS quelbcargabal EXPORT quelbcargabal-alvos
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${PROJECT_SOURCE_DIR}/include/quelb/cargabal.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quelb)
if(TARGET cargabal)
  install(TARGETS cargabal RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# find_package(quelbcargabal) gives the target quelbcargabal::quelbcargabal.
install(EXPORT quelbcargabal-alvos NAMESPACE quelbcargabal::
  FILE quelbcargabal-targets.cmake DESTINATION ${QUELB_DIR_CMAKE})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/quelbcargabal-config.cmake.in
  ${PROJECT_BINARY_DIR}/pacote/quelbcargabal-config.cmake INSTALL_DESTINATION ${QUELB_DIR_CMAKE})
# A new major version changes the exported functions; minor ones add to them.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/pacote/quelbcargabal-config-version.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/pacote/quelbcargabal-config.cmake
  ${PROJECT_BINARY_DIR}/pacote/quelbcargabal-config-version.cmake DESTINATION ${QUELB_DIR_CMAKE})

# The pkg-config file names the prefix it is installed under, which is known
# only at install time (cmake --install --prefix, cpack): the template is
# filled here but for the prefix, and written out by the install step.
foreach(dir LIBDIR INCLUDEDIR)
  if(IS_ABSOLUTE ${CMAKE_INSTALL_${dir}})
    set(QUELB_PC_${dir} ${CMAKE_INSTALL_${dir}})
  else()
    set(QUELB_PC_${dir} "\${prefix}/${CMAKE_INSTALL_${dir}}")
  endif()
endforeach()
set(QUELB_PC_PREFIXO "@QUELB_PC_PREFIXO@")
configure_file(${PROJECT_SOURCE_DIR}/cmake/quelbcargabal.pc.in ${PROJECT_BINARY_DIR}/pacote/quelbcargabal.pc.in @ONLY)
install(CODE "
  set(QUELB_PC_PREFIXO \"\${CMAKE_INSTALL_PREFIX}\")
  configure_file(\"${PROJECT_BINARY_DIR}/pacote/quelbcargabal.pc.in\" \"${PROJECT_BINARY_DIR}/pacote/quelbcargabal.pc\" @ONLY)")
install(FILES ${PROJECT_BINARY_DIR}/pacote/quelbcargabal.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# ---- Debian package: cpack -G DEB ----

if(NOT WIN32)
  set(CPACK_PACKAGE_NAME quelbcargabal)
  set(CPACK_PACKAGE_VENDOR quelbcargabal)
  set(CPACK_PACKAGE_CONTACT "Equipe do quelbcargabal")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arquivos de carga de produtos para balanças comerciais")
  set(CPACK_PACKAGE_DESCRIPTION "\
Biblioteca compartilhada que gera os arquivos de carga de produtos para as
balanças Filizola, Toledo, Urano e Ramuza, com o cabeçalho C, o pacote CMake,
o arquivo do pkg-config e o comando cargabal, que gera a carga a partir de um
catálogo em JSON ou CSV.")
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION libs)
  # Dependencies read off the binaries by dpkg-shlibdeps; a shlibs file and
  # the ldconfig trigger for the library.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
  set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
  set(CPACK_STRIP_FILES ON)
  # The install step runs with the package's own prefix (not a staging
  # folder), so that the pkg-config file names it.
  set(CPACK_SET_DESTDIR ON)
  set(CPACK_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
  include(CPack)
endif()
