# Helpers that keep each folder's CMakeLists short: a layer is every .cpp in its folder.

# fv_layer(NAME folder DEPS targets...): one static library per architectural layer.
function(fv_layer name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    if(sources)
        add_library(${name} STATIC ${sources} ${headers})
        target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    else()
        # A layer whose code has not arrived yet still takes part in the dependency graph.
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    endif()
endfunction()

# fv_unit_test(NAME [GUI] DEPS targets...): one GoogleTest binary from every .cpp in the folder.
function(fv_unit_test name)
    cmake_parse_arguments(ARG "GUI" "" "DEPS;LABELS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support ${PROJECT_SOURCE_DIR}/src)
    if(ARG_GUI)
        set(test_main fv_testmain_gui)
    else()
        set(test_main fv_testmain_core)
    endif()
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} ${test_main} fv_testsupport GTest::gtest GTest::gmock)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;FV_TEST_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
                   LABELS "${ARG_LABELS}")
endfunction()
