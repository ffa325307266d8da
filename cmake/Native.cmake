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
  # Two builds of the same sources: FILORA.EXE for 32-bit Windows and its 64-bit twin. Every host
  # runs the 64-bit one under wine64; the 32-bit one runs only where the kernel runs 32-bit code,
  # which is found out afresh at every configure by trying a tiny 32-bit program.
  execute_process(COMMAND bash -c "source '${PROJECT_SOURCE_DIR}/scripts/wine-env.sh' && filora_host_runs_32bit"
                  RESULT_VARIABLE no32 OUTPUT_VARIABLE why_no32 OUTPUT_STRIP_TRAILING_WHITESPACE)
  # Read by scripts/test.sh, which puts the reason on the lines of the tests not run.
  set(NOT_RUN_FILE ${CMAKE_BINARY_DIR}/win32-not-run.txt)
  if(no32)
    message(STATUS "32-bit Windows tests: not run here, ${why_no32}")
    file(WRITE ${NOT_RUN_FILE} "${why_no32}\n")
  else()
    file(REMOVE ${NOT_RUN_FILE})
  endif()

  file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/win/*_test.cpp)
  file(GLOB E2E_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/*.sh)
  foreach(arch win32 win64)
    if(arch STREQUAL win32)
      set(toolchain mingw-i686.cmake)
    else()
      set(toolchain mingw-x86_64.cmake)
    endif()
    set(runs ON)
    if(arch STREQUAL win32 AND no32)
      set(runs OFF)  # its release exe is still built, for its zip
    endif()
    set(tree ${CMAKE_BINARY_DIR}/${arch})
    ExternalProject_Add(${arch}
      SOURCE_DIR ${PROJECT_SOURCE_DIR}
      BINARY_DIR ${tree}
      CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/${toolchain}
                 -DCMAKE_BUILD_TYPE=Release -DFILORA_WIN_TESTS=${runs}
      BUILD_ALWAYS 1
      INSTALL_COMMAND "")

    set(names)
    foreach(src ${WIN_TEST_SOURCES})
      get_filename_component(name ${src} NAME_WE)
      list(APPEND names ${name})
      set(command_${name} ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh ${tree}/bin/${name}.exe)
    endforeach()
    foreach(script ${E2E_TESTS})
      get_filename_component(name ${script} NAME_WE)
      list(APPEND names e2e_${name})
      set(command_e2e_${name} bash ${script} ${tree}/bin)
    endforeach()
    # The release as a user gets it: packed from the Release tree, checked, unpacked and started.
    list(APPEND names release_zip)
    set(command_release_zip bash ${PROJECT_SOURCE_DIR}/tests/release/release_zip.sh ${tree} ${FILORA_PACKAGE_${arch}})
    foreach(name ${names})
      if(runs OR name STREQUAL release_zip)
        add_test(NAME ${arch}_${name} COMMAND ${command_${name}})
      else()
        add_test(NAME ${arch}_${name} COMMAND sh -c "echo \"$1\"; exit 77" skip "not run: ${why_no32}")
      endif()
      # One Wine server and one prefix: the Windows tests take turns.
      set_tests_properties(${arch}_${name} PROPERTIES TIMEOUT 300 RUN_SERIAL ON SKIP_RETURN_CODE 77)
    endforeach()
    if(NOT runs)
      # Its zip is checked; the exe cannot be started here.
      set_tests_properties(${arch}_release_zip PROPERTIES ENVIRONMENT "FILORA_NOT_STARTED=${why_no32}")
    endif()
    set_tests_properties(${arch}_release_zip PROPERTIES TIMEOUT 600)
  endforeach()

  # Both release zips: FILORA-<version>.zip (32-bit) and FILORA-<version>-x64.zip.
  add_custom_target(package_zip
    COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR}/win32 --target package_zip
    COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR}/win64 --target package_zip
    DEPENDS win32 win64
    VERBATIM)
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
