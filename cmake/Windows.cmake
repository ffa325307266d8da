# Cross build: FILORA.EXE, the Wine tests and the benchmark programs.
enable_language(RC)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
# A 32-bit exe may use 4 GB on 64-bit Windows, room for long lists; a 64-bit one has it anyway.
# The manifest names the exe's own machine: a 64-bit exe that asks for the x86 common controls
# does not start.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(FILORA_LARGE_ADDRESS -Wl,--large-address-aware)
  set(FILORA_MANIFEST_ARCH x86)
else()
  set(FILORA_MANIFEST_ARCH amd64)
endif()
set(WIN_LIBS comctl32 comdlg32 shell32 ole32 uuid version gdi32 user32 kernel32)

# The resource script's version header and the manifest, made from the project's version.
set(patch2 ${PROJECT_VERSION_PATCH})
if(patch2 LESS 10)
  set(patch2 0${patch2})
endif()
set(FILORA_VERSION_TEXT ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${patch2})
set(FILORA_VERSION_QUAD ${PROJECT_VERSION}.0)
set(FILORA_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/res/version.h.in ${FILORA_GENERATED_DIR}/version.h @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/res/filora.manifest.in ${FILORA_GENERATED_DIR}/filora.manifest @ONLY)
# The resource script names these outside any #include, so no scanner sees them.
set_source_files_properties(${PROJECT_SOURCE_DIR}/res/filora.rc PROPERTIES
  OBJECT_DEPENDS "${FILORA_GENERATED_DIR}/filora.manifest;${PROJECT_SOURCE_DIR}/res/filora.ico")

add_library(filora_core STATIC ${FILORA_CORE_SOURCES})
add_library(filora_app STATIC ${FILORA_WIN_SOURCES})
foreach(lib filora_core filora_app)
  target_include_directories(${lib} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/res ${FILORA_GENERATED_DIR})
  target_compile_options(${lib} PRIVATE ${FILORA_CHARSET_FLAGS} -Wall -Wextra)
  target_compile_definitions(${lib} PUBLIC WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600)
endforeach()
target_link_libraries(filora_app PUBLIC filora_core ${WIN_LIBS})
# windows.h is most of each Win32 file's compile time.
target_precompile_headers(filora_app PRIVATE <windows.h> <commctrl.h> <shlobj.h> <string> <vector>)

add_executable(FILORA WIN32 ${PROJECT_SOURCE_DIR}/src/app/WinMain_win.cpp ${PROJECT_SOURCE_DIR}/res/filora.rc)
set_target_properties(FILORA PROPERTIES OUTPUT_NAME FILORA SUFFIX ".EXE")
target_compile_options(FILORA PRIVATE ${FILORA_CHARSET_FLAGS})
target_link_libraries(FILORA PRIVATE filora_app)
# Static runtime: the exe needs nothing but Windows' own DLLs.
target_link_options(FILORA PRIVATE -static ${FILORA_LARGE_ADDRESS})

# Off where this build cannot run: only its release exe is made then.
option(FILORA_WIN_TESTS "Build the Wine tests and the benchmarks" ON)
if(FILORA_WIN_TESTS)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  file(GLOB WIN_SUPPORT_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/win/support/*.cpp)
  add_library(win_test_support STATIC ${WIN_SUPPORT_SOURCES})
  target_compile_options(win_test_support PRIVATE ${FILORA_CHARSET_FLAGS})
  target_include_directories(win_test_support PUBLIC ${PROJECT_SOURCE_DIR}/tests/win)
  target_link_libraries(win_test_support PUBLIC filora_app gtest)
  target_precompile_headers(win_test_support PRIVATE <windows.h> <commctrl.h> <shlobj.h> <gtest/gtest.h>)

  file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/win/*_test.cpp)
  foreach(src ${WIN_TEST_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src} ${PROJECT_SOURCE_DIR}/res/filora.rc)
    target_compile_options(${name} PRIVATE ${FILORA_CHARSET_FLAGS})
    target_link_libraries(${name} PRIVATE win_test_support gtest_main)
    target_precompile_headers(${name} REUSE_FROM win_test_support)
    target_link_options(${name} PRIVATE -static)
    add_dependencies(${name} FILORA)
  endforeach()

  if(EXISTS ${PROJECT_SOURCE_DIR}/bench/CMakeLists.txt)
    add_subdirectory(bench)
  endif()

  # Programs and files that the Wine tests use as their subjects (built, not committed).
  if(EXISTS ${PROJECT_SOURCE_DIR}/tests/win/fixtures/CMakeLists.txt)
    add_subdirectory(tests/win/fixtures)
  endif()
endif()

# The release zip, FILORA-<version>.zip for 32-bit Windows and FILORA-<version>-x64.zip for 64-bit:
# a stripped copy of FILORA.EXE with SHA256SUMS, the user guide and its pictures. Only a Release
# tree packs; the exe in bin/ keeps its symbols for debugging.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(FILORA_PACKAGE ${FILORA_PACKAGE_win64})
else()
  set(FILORA_PACKAGE ${FILORA_PACKAGE_win32})
endif()
set(PACKAGE_ZIP ${CMAKE_BINARY_DIR}/${FILORA_PACKAGE}.zip)
add_custom_target(package_zip
  COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:FILORA> -DSTRIP=${CMAKE_STRIP} -DBUILD_TYPE=${CMAKE_BUILD_TYPE}
          -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DNAME=${FILORA_PACKAGE} -DOUT_DIR=${CMAKE_BINARY_DIR}
          -P ${PROJECT_SOURCE_DIR}/cmake/PackageZip.cmake
  DEPENDS FILORA
  BYPRODUCTS ${PACKAGE_ZIP}
  COMMENT "Packing ${PACKAGE_ZIP}"
  VERBATIM)
