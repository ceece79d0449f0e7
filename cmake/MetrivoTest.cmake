# metrivo_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [WIDGET])
# Builds one GoogleTest executable and registers it with CTest as one test:
# one process runs every case, which is far quicker than a process a case
# (each would start Qt, and under the address checker its runtime). Run one
# case with the program's own filter: build/tests/ui_tests --gtest_filter='Form1*'.
# WIDGET tests run on Qt's offscreen platform.
find_package(GTest REQUIRED)

function(metrivo_add_test)
    cmake_parse_arguments(T "WIDGET" "NAME" "SOURCES;LIBS;ENV" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} metrivo_test_support GTest::gtest GTest::gmock
                                            GTest::gtest_main)
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    # The tests' own code is built to build quickly: unoptimised (so without
    # the fortified C library calls, which need optimisation), with line
    # tables for failures' traces. The code they test is the libraries',
    # built as the build type says.
    target_compile_options(${T_NAME} PRIVATE -O0 -g1 -U_FORTIFY_SOURCE)
    set(env ${T_ENV})
    if(T_WIDGET)
        list(APPEND env QT_QPA_PLATFORM=offscreen)
    endif()
    # Only failures are printed; tests/support/check-test-names.sh sees that
    # every case is named by its table.
    add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_brief=1)
    set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 600 LABELS gtest)
endfunction()
