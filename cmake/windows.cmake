# Windows (mingw-w64) build: the input method, the installer and the tests that run under Wine.

# CTest runs every Windows program through Wine, in a throwaway prefix of this build tree.
set(ZELK_WINE_RUN ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh)
set(ZELK_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ZELK_WINE_RUN} ${ZELK_WINE_PREFIX})

# The DLL and the programs must need nothing but system DLLs: no libgcc, libstdc++ or winpthread.
add_link_options(-static -static-libgcc -static-libstdc++)

# Resources are UTF-8 (#pragma code_page(65001)): windres's preprocessor can misread GBK sources,
# whose trail bytes may be 0x5C. Their language is Chinese (PRC), code page 936.
enable_language(RC)
string(APPEND CMAKE_RC_FLAGS " -c 65001 -l 0x0804")

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    set(ZELK_BITS 32)
else()
    set(ZELK_BITS 64)
endif()

# The input method itself, once the Windows shell has sources. The .def file names the exports
# undecorated; the 32-bit one lists them decorated (ImeInquire@12) so that --kill-at strips the
# decoration and a wrong parameter size fails the link.
if(ZELK_WIN_SOURCES)
    set(ZELK_DEF_FILE ${CMAKE_SOURCE_DIR}/src/ime/zelk${ZELK_BITS}.def)
    if(NOT EXISTS ${ZELK_DEF_FILE})
        message(FATAL_ERROR "zelk.ime needs its exports file ${ZELK_DEF_FILE}")
    endif()
    file(GLOB ZELK_RC_SOURCES CONFIGURE_DEPENDS src/res/*.rc)
    # The Windows shell as a library of its own, so that test programs can call its window
    # procedures and painters directly (with the resources linked into the test program).
    add_library(zelk_shell STATIC ${ZELK_WIN_SOURCES})
    target_link_libraries(zelk_shell PUBLIC zelk_core)
    add_library(zelk_ime SHARED ${ZELK_RC_SOURCES} ${ZELK_DEF_FILE})
    target_link_libraries(zelk_ime PRIVATE -Wl,--whole-archive zelk_shell -Wl,--no-whole-archive
        zelk_core)
    set_target_properties(zelk_ime PROPERTIES OUTPUT_NAME zelk PREFIX "" SUFFIX ".ime")
    if(ZELK_BITS EQUAL 32)
        target_link_options(zelk_ime PRIVATE -Wl,--kill-at)
    endif()
endif()

# The tools' common helpers (text conversion, dictionary checks), which the portable tests use too.
file(GLOB ZELK_TOOLS_COMMON_SOURCES CONFIGURE_DEPENDS tools/common/*.cpp)
list(FILTER ZELK_TOOLS_COMMON_SOURCES EXCLUDE REGEX "_host\\.cpp$")
add_library(zelk_tools_common STATIC ${ZELK_TOOLS_COMMON_SOURCES})
target_include_directories(zelk_tools_common PUBLIC ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(zelk_tools_common PUBLIC zelk_core)

# The installer and the package it installs from, laid out in bin/: zelk-setup.exe next to
# zelk.ime, the data under data/ as it lies under the system directory (data/zelk/...), and, in the
# 64-bit package, the 32-bit input method under x86/ (from ZELK_X86_IME, when set).
file(GLOB ZELK_SETUP_SOURCES CONFIGURE_DEPENDS tools/zelk-setup/*_win.cpp)
add_executable(zelk-setup ${ZELK_SETUP_SOURCES} tools/zelk-setup/zelk-setup.rc)
target_link_libraries(zelk-setup PRIVATE zelk_tools_common)

set(ZELK_PACKAGE_DIR ${CMAKE_BINARY_DIR}/bin)
# The user guide (data/*.txt) goes into the system directory itself.
file(GLOB_RECURSE ZELK_PACKAGE_DATA CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/zelk/*)
file(GLOB ZELK_PACKAGE_GUIDE CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*.txt)
set(ZELK_PACKAGE_STAMP ${CMAKE_BINARY_DIR}/package-data.stamp)
set(ZELK_COPY_GUIDE)
if(ZELK_PACKAGE_GUIDE)
    set(ZELK_COPY_GUIDE COMMAND ${CMAKE_COMMAND} -E copy ${ZELK_PACKAGE_GUIDE}
        ${ZELK_PACKAGE_DIR}/data/)
endif()
add_custom_command(OUTPUT ${ZELK_PACKAGE_STAMP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${ZELK_PACKAGE_DIR}/data
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data/zelk
        ${ZELK_PACKAGE_DIR}/data/zelk
    ${ZELK_COPY_GUIDE}
    COMMAND ${CMAKE_COMMAND} -E touch ${ZELK_PACKAGE_STAMP}
    DEPENDS ${ZELK_PACKAGE_DATA} ${ZELK_PACKAGE_GUIDE}
    COMMENT "Package data in ${ZELK_PACKAGE_DIR}/data")
set(ZELK_PACKAGE_FILES ${ZELK_PACKAGE_STAMP})
set(ZELK_X86_IME "" CACHE FILEPATH
    "32-bit zelk.ime for the x86 folder of the 64-bit package (e.g. build/win32/bin/zelk.ime)")
if(ZELK_BITS EQUAL 64 AND ZELK_X86_IME)
    add_custom_command(OUTPUT ${ZELK_PACKAGE_DIR}/x86/zelk.ime
        COMMAND ${CMAKE_COMMAND} -E copy ${ZELK_X86_IME} ${ZELK_PACKAGE_DIR}/x86/zelk.ime
        DEPENDS ${ZELK_X86_IME})
    list(APPEND ZELK_PACKAGE_FILES ${ZELK_PACKAGE_DIR}/x86/zelk.ime)
endif()
add_custom_target(zelk_package ALL DEPENDS ${ZELK_PACKAGE_FILES})
add_dependencies(zelk_package zelk-setup)
if(TARGET zelk_ime)
    add_dependencies(zelk_package zelk_ime)
endif()

if(ZELK_TESTS)
    enable_testing()
    include(GoogleTest)

    # GoogleTest from the Debian sources, built with this cross compiler.
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

    # The portable unit tests (tests/core) with the Windows side of the test support, and the
    # tests that need Windows itself (tests/win).
    file(GLOB ZELK_TEST_SOURCES CONFIGURE_DEPENDS
        tests/core/*.cpp tests/support/*.cpp tests/win/*_test.cpp)
    list(FILTER ZELK_TEST_SOURCES EXCLUDE REGEX "_host\\.cpp$")
    add_executable(zelk_tests ${ZELK_TEST_SOURCES})
    target_include_directories(zelk_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_compile_definitions(zelk_tests PRIVATE
        ZELK_SOURCE_DIR="${CMAKE_SOURCE_DIR}" ZELK_BINARY_DIR="${CMAKE_BINARY_DIR}")
    target_link_libraries(zelk_tests PRIVATE zelk_tools_common GTest::gtest GTest::gtest_main
        version)
    if(TARGET zelk_ime)
        add_dependencies(zelk_tests zelk_ime)
    endif()

    # One persistent wineserver for the whole run, ended by the last test. All tests share the
    # prefix's system directory and registry, so they never run at the same time.
    add_test(NAME wine_start COMMAND ${ZELK_WINE_RUN} ${ZELK_WINE_PREFIX} --start)
    add_test(NAME wine_stop COMMAND ${ZELK_WINE_RUN} ${ZELK_WINE_PREFIX} --stop)
    set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine RESOURCE_LOCK wine_prefix)
    set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine RESOURCE_LOCK wine_prefix)
    gtest_discover_tests(zelk_tests
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 300
        PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine_prefix TIMEOUT 120)

    # The Windows shell called directly: window procedures, painters into memory bitmaps, dialogs
    # (tests/win/shell), with the module's resources linked in.
    file(GLOB ZELK_SHELL_TEST_SOURCES CONFIGURE_DEPENDS tests/win/shell/*.cpp tests/support/*.cpp)
    list(FILTER ZELK_SHELL_TEST_SOURCES EXCLUDE REGEX "_host\\.cpp$")
    if(TARGET zelk_shell AND ZELK_SHELL_TEST_SOURCES)
        add_executable(zelk_shell_tests ${ZELK_SHELL_TEST_SOURCES} ${ZELK_RC_SOURCES})
        target_include_directories(zelk_shell_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
        target_compile_definitions(zelk_shell_tests PRIVATE
            ZELK_SOURCE_DIR="${CMAKE_SOURCE_DIR}" ZELK_BINARY_DIR="${CMAKE_BINARY_DIR}")
        target_link_libraries(zelk_shell_tests PRIVATE zelk_shell zelk_tools_common GTest::gtest
            GTest::gtest_main)
        add_dependencies(zelk_shell_tests zelk_package)
        gtest_discover_tests(zelk_shell_tests
            DISCOVERY_MODE PRE_TEST
            DISCOVERY_TIMEOUT 300
            PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine_prefix TIMEOUT 120)
    endif()

    # End to end: each test installs the package from bin/ into the prefix with zelk-setup, then
    # types real key events into an EDIT control through the system's IMM32.
    file(GLOB ZELK_E2E_SOURCES CONFIGURE_DEPENDS tests/win/e2e/*.cpp tests/support/*.cpp)
    list(FILTER ZELK_E2E_SOURCES EXCLUDE REGEX "_host\\.cpp$")
    add_executable(zelk_e2e_tests ${ZELK_E2E_SOURCES})
    target_include_directories(zelk_e2e_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_compile_definitions(zelk_e2e_tests PRIVATE
        ZELK_SOURCE_DIR="${CMAKE_SOURCE_DIR}" ZELK_BINARY_DIR="${CMAKE_BINARY_DIR}")
    target_link_libraries(zelk_e2e_tests PRIVATE zelk_tools_common GTest::gtest GTest::gtest_main)
    add_dependencies(zelk_e2e_tests zelk_package)
    gtest_discover_tests(zelk_e2e_tests
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 300
        PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine_prefix TIMEOUT 120)
endif()
