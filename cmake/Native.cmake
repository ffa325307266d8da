# Native build: the core under AddressSanitizer and UBSan, its tests, and the drivers of the
# Windows build (cross-compiled, run under Wine) and of the fuzz targets (clang).
include(CTest)
include(ExternalProject)

option(FILORA_SANITIZE "Build the core and its tests with ASan and UBSan" ON)
option(FILORA_WINDOWS "Cross-build FILORA.EXE and its Wine tests" ON)
option(FILORA_FUZZ "Build the fuzz targets with clang and replay their corpora" ON)
set(FILORA_FUZZ_SECONDS 3 CACHE STRING "Seconds each fuzz target runs in the test command")

set(SAN_FLAGS)
if(FILORA_SANITIZE)
  # With the library's own checks: an index past a std::array or std::vector stops the test.
  set(SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS)
endif()

add_library(filora_core STATIC ${FILORA_CORE_SOURCES})
target_include_directories(filora_core PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_compile_options(filora_core PRIVATE ${FILORA_CHARSET_FLAGS} -Wall -Wextra ${SAN_FLAGS})
target_link_options(filora_core PUBLIC ${SAN_FLAGS})

set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB CORE_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/core/*.cpp)
add_executable(core_tests ${CORE_TEST_SOURCES})
target_compile_options(core_tests PRIVATE ${FILORA_CHARSET_FLAGS} -Wall ${SAN_FLAGS})
target_link_libraries(core_tests PRIVATE filora_core gtest_main)
add_test(NAME core_tests COMMAND core_tests)
set_tests_properties(core_tests PROPERTIES TIMEOUT 120 ENVIRONMENT "UBSAN_OPTIONS=print_stacktrace=1")

if(FILORA_WINDOWS)
  set(WIN_BIN ${CMAKE_BINARY_DIR}/win/bin)
  ExternalProject_Add(win
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/win
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-i686.cmake
               -DCMAKE_BUILD_TYPE=Release
    BUILD_ALWAYS 1
    INSTALL_COMMAND "")
  file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/win/*_test.cpp)
  foreach(src ${WIN_TEST_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_test(NAME win_${name} COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh ${WIN_BIN}/${name}.exe)
    set_tests_properties(win_${name} PROPERTIES TIMEOUT 300 RUN_SERIAL ON)
  endforeach()
  file(GLOB E2E_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/*.sh)
  foreach(script ${E2E_TESTS})
    get_filename_component(name ${script} NAME_WE)
    add_test(NAME e2e_${name} COMMAND bash ${script} ${WIN_BIN})
    set_tests_properties(e2e_${name} PROPERTIES TIMEOUT 300 RUN_SERIAL ON)
  endforeach()
  # The release zip as a user gets it: packed from the Release tree, unpacked and started once.
  add_test(NAME release_zip COMMAND bash ${PROJECT_SOURCE_DIR}/tests/release/release_zip.sh
                                    ${CMAKE_BINARY_DIR}/win ${FILORA_PACKAGE_NAME})
  set_tests_properties(release_zip PROPERTIES TIMEOUT 600 RUN_SERIAL ON)
endif()

if(FILORA_FUZZ)
  find_program(CLANGXX clang++)
  if(CLANGXX)
    ExternalProject_Add(fuzz
      SOURCE_DIR ${PROJECT_SOURCE_DIR}/fuzz
      BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz
      CMAKE_ARGS -DCMAKE_CXX_COMPILER=${CLANGXX} -DFILORA_SOURCE_DIR=${PROJECT_SOURCE_DIR}
      BUILD_ALWAYS 1
      INSTALL_COMMAND "")
    file(GLOB FUZZ_TARGETS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/*_fuzz.cpp)
    foreach(src ${FUZZ_TARGETS})
      get_filename_component(name ${src} NAME_WE)
      add_test(NAME fuzz_${name}
        COMMAND ${PROJECT_SOURCE_DIR}/scripts/fuzz.sh ${CMAKE_BINARY_DIR}/fuzz ${name} ${FILORA_FUZZ_SECONDS})
      set_tests_properties(fuzz_${name} PROPERTIES TIMEOUT 120)
    endforeach()
  endif()
endif()
