# Helpers that register tests, benchmarks and fuzz targets the same way everywhere.

find_package(GTest REQUIRED)

# Test executables built by the sanitizer builds (scripts/test builds only this target there).
add_custom_target(velk_sanitize_tests)
# Fuzz targets built by the fuzz build.
add_custom_target(velk_fuzzers)

set(VELK_TEST_OUTPUT_DIR ${CMAKE_BINARY_DIR}/tests)

# velk_test(<name> SOURCES <files> [LIBS <targets>] [LABELS <labels>] [DEPENDS <targets>]
#           [SANITIZE] [SERIAL] [TIMEOUT <seconds>])
# A GoogleTest executable whose tests CTest lists one by one. SANITIZE: also built and run by the
# sanitizer builds (label "sanitize"). SERIAL: never run beside other tests (network namespaces,
# X servers). DEPENDS: programs the tests start. A test that calls GTEST_SKIP is reported skipped.
# Under ThreadSanitizer every test program gets the suppressions of cmake/tsan_suppressions.cpp.
function(velk_test name)
    cmake_parse_arguments(T "SANITIZE;SERIAL" "TIMEOUT" "SOURCES;LIBS;LABELS;DEPENDS" ${ARGN})
    if(VELK_FUZZ OR (VELK_SANITIZE AND NOT T_SANITIZE))
        return()
    endif()
    if(VELK_SANITIZE STREQUAL "thread" AND NOT T_SOURCES MATCHES "tsan_suppressions")
        list(APPEND T_SOURCES ${PROJECT_SOURCE_DIR}/cmake/tsan_suppressions.cpp)
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest GTest::gtest_main)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELK_TEST_OUTPUT_DIR})
    target_compile_definitions(${name} PRIVATE
        VELK_SOURCE_DIR="${PROJECT_SOURCE_DIR}" VELK_BINARY_DIR="${CMAKE_BINARY_DIR}"
        VELK_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
    set(labels ${T_LABELS})
    if(T_SANITIZE)
        list(APPEND labels sanitize)
        add_dependencies(velk_sanitize_tests ${name})
    endif()
    if(T_DEPENDS)
        add_dependencies(${name} ${T_DEPENDS})
    endif()
    set(props SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
    if(T_SERIAL)
        list(APPEND props RUN_SERIAL TRUE)
    endif()
    if(T_TIMEOUT)
        list(APPEND props TIMEOUT ${T_TIMEOUT})
    endif()
    gtest_discover_tests(${name} TEST_PREFIX "${name}." DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60 TEST_LIST ${name}_TESTS PROPERTIES ${props})
    # Discovery hands its properties on as one flat list, which loses list values such as
    # several labels; the labels are set once the tests are known instead.
    if(labels)
        set(label_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_labels.cmake)
        file(WRITE ${label_file}
            "if(DEFINED ${name}_TESTS)\n"
            "  set_tests_properties(\${${name}_TESTS} PROPERTIES LABELS \"${labels}\")\n"
            "endif()\n")
        set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${label_file})
    endif()
endfunction()

# velk_bench(<name> SOURCES <files> [LIBS <targets>])
# A Google Benchmark executable in build/bin; never run by the tests.
function(velk_bench name)
    cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
    if(VELK_FUZZ OR VELK_SANITIZE)
        return()
    endif()
    find_package(benchmark REQUIRED)
    add_executable(${name} ${B_SOURCES})
    target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
endfunction()

# velk_fuzzer(<name> SOURCES <files> CORPUS <dir> [LIBS <targets>] [SMOKE_SECONDS <n>])
# A libFuzzer target (fuzz build only) and a short smoke run of it over its seed corpus
# (label "fuzz"); new inputs of the smoke run go to a scratch folder, not into the corpus.
function(velk_fuzzer name)
    cmake_parse_arguments(F "" "CORPUS;SMOKE_SECONDS" "SOURCES;LIBS" ${ARGN})
    if(NOT VELK_FUZZ)
        return()
    endif()
    if(NOT F_SMOKE_SECONDS)
        set(F_SMOKE_SECONDS 20)
    endif()
    add_executable(${name} ${F_SOURCES})
    target_link_libraries(${name} PRIVATE ${F_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    add_dependencies(velk_fuzzers ${name})
    set(scratch ${CMAKE_BINARY_DIR}/fuzz-scratch/${name})
    add_test(NAME fuzz.${name}
        COMMAND ${CMAKE_COMMAND} -E env
            sh -c "rm -rf '${scratch}' && mkdir -p '${scratch}' && exec \"$0\" -max_total_time=${F_SMOKE_SECONDS} -seed=1 -print_final_stats=1 '${scratch}' '${F_CORPUS}'"
            $<TARGET_FILE:${name}>)
    set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz TIMEOUT 300)
endfunction()
