# Host (Linux) build: the engine core with the stand-in, the host tools, tests, benchmarks, fuzzers.

file(GLOB ZELK_DICT_SOURCES CONFIGURE_DEPENDS tools/zelk-dict/*.cpp)
add_executable(zelk-dict ${ZELK_DICT_SOURCES})
target_link_libraries(zelk-dict PRIVATE zelk_tools_common)

file(GLOB ZELK_TOOLS_COMMON_SOURCES CONFIGURE_DEPENDS tools/common/*.cpp)
list(FILTER ZELK_TOOLS_COMMON_SOURCES EXCLUDE REGEX "_win\\.cpp$")
add_library(zelk_tools_common STATIC ${ZELK_TOOLS_COMMON_SOURCES})
target_include_directories(zelk_tools_common PUBLIC ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(zelk_tools_common PUBLIC zelk_core)

# zelk-type types keys through the entry points; by default on a scratch copy of the shipped data.
file(GLOB ZELK_TYPE_SOURCES CONFIGURE_DEPENDS tools/zelk-type/*.cpp)
add_executable(zelk-type ${ZELK_TYPE_SOURCES})
target_compile_definitions(zelk-type PRIVATE ZELK_DATA_DIR="${CMAKE_SOURCE_DIR}/data")
target_link_libraries(zelk-type PRIVATE zelk_tools_common)

if(ZELK_TESTS)
    enable_testing()
    find_package(GTest REQUIRED)
    include(GoogleTest)
    file(GLOB ZELK_TEST_SOURCES CONFIGURE_DEPENDS
        tests/core/*.cpp tests/host/*.cpp tests/support/*.cpp)
    list(FILTER ZELK_TEST_SOURCES EXCLUDE REGEX "_win\\.cpp$")
    add_executable(zelk_tests ${ZELK_TEST_SOURCES})
    target_include_directories(zelk_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_compile_definitions(zelk_tests PRIVATE
        ZELK_SOURCE_DIR="${CMAKE_SOURCE_DIR}" ZELK_BINARY_DIR="${CMAKE_BINARY_DIR}"
        ZELK_LAYER_ORDER="${ZELK_LAYER_ORDER}")
    target_link_libraries(zelk_tests PRIVATE zelk_tools_common GTest::gtest GTest::gtest_main)
    # Transcript tests run the built zelk-type, the image test zelk-dict.
    add_dependencies(zelk_tests zelk-type zelk-dict)
    gtest_discover_tests(zelk_tests DISCOVERY_TIMEOUT 60)
    # The checked-in skin pictures are what their generator makes, with every region in place.
    add_test(NAME skin_pictures
        COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/skin-pictures/check_skin_pictures.py
            ${CMAKE_SOURCE_DIR})
endif()

if(ZELK_BENCHMARKS)
    find_package(benchmark REQUIRED)
    file(GLOB ZELK_BENCH_PROGRAMS CONFIGURE_DEPENDS bench/*_bench.cpp)
    file(GLOB ZELK_BENCH_SUPPORT CONFIGURE_DEPENDS bench/support/*.cpp)
    add_library(zelk_bench_support STATIC ${ZELK_BENCH_SUPPORT})
    target_include_directories(zelk_bench_support PUBLIC ${CMAKE_SOURCE_DIR}/bench)
    target_compile_definitions(zelk_bench_support PRIVATE ZELK_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    target_link_libraries(zelk_bench_support PUBLIC zelk_tools_common)
    foreach(program ${ZELK_BENCH_PROGRAMS})
        get_filename_component(name ${program} NAME_WE)
        add_executable(${name} ${program})
        target_compile_definitions(${name} PRIVATE ZELK_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
        target_link_libraries(${name} PRIVATE zelk_bench_support benchmark::benchmark)
    endforeach()
endif()

if(ZELK_FUZZERS)
    # Coverage of the code under test guides the fuzzers, not only that of the targets.
    target_compile_options(zelk_core PRIVATE -fsanitize=fuzzer-no-link
        -fsanitize-coverage-ignorelist=${CMAKE_SOURCE_DIR}/fuzz/uninstrumented.txt
        -fsanitize-ignorelist=${CMAKE_SOURCE_DIR}/fuzz/uninstrumented.txt)
    file(GLOB ZELK_FUZZ_PROGRAMS CONFIGURE_DEPENDS fuzz/*_fuzz.cpp)
    file(GLOB ZELK_FUZZ_SUPPORT CONFIGURE_DEPENDS fuzz/support/*.cpp)
    add_library(zelk_fuzz_support STATIC ${ZELK_FUZZ_SUPPORT})
    target_include_directories(zelk_fuzz_support PUBLIC ${CMAKE_SOURCE_DIR}/fuzz)
    target_compile_definitions(zelk_fuzz_support PRIVATE ZELK_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    target_link_libraries(zelk_fuzz_support PUBLIC zelk_tools_common)
    foreach(program ${ZELK_FUZZ_PROGRAMS})
        get_filename_component(name ${program} NAME_WE)
        add_executable(${name} ${program})
        target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer)
        target_compile_definitions(${name} PRIVATE ZELK_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
        target_link_libraries(${name} PRIVATE zelk_fuzz_support)
    endforeach()
    # The reader's own fuzzer links an instrumented copy of it, which the linker then takes
    # instead of the library's.
    target_sources(read_dictionary_lines_fuzz PRIVATE src/dict/line_reader.cpp)
    # Each fuzzer replays its corpus (seeds and the inputs of past findings) as a test: a change
    # of the code that breaks what a fuzzer checks shows without a fuzzing run.
    enable_testing()
    foreach(program ${ZELK_FUZZ_PROGRAMS})
        get_filename_component(name ${program} NAME_WE)
        string(REGEX REPLACE "_fuzz$" "" corpus ${name})
        file(GLOB inputs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/corpus/${corpus}/*)
        add_test(NAME ${name}_corpus COMMAND ${name} ${inputs})
    endforeach()
endif()
