# metrivo_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [WIDGET])
# Builds one GoogleTest executable and registers its cases with CTest.
# WIDGET tests run on Qt's offscreen platform.
find_package(GTest REQUIRED)
include(GoogleTest)

function(metrivo_add_test)
    cmake_parse_arguments(T "WIDGET" "NAME" "SOURCES;LIBS;ENV" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} metrivo_test_support GTest::gtest GTest::gmock
                                            GTest::gtest_main)
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    set(env ${T_ENV})
    if(T_WIDGET)
        list(APPEND env QT_QPA_PLATFORM=offscreen)
    endif()
    # Cases are named by their tables; the names never carry printed values.
    gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
                         PROPERTIES ENVIRONMENT "${env}" TIMEOUT 120)
endfunction()
