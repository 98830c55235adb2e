# Helpers that keep each folder's CMakeLists short. Every target lists its files.

# fv_layer(NAME [SOURCES files...] DEPS targets...): one static library per architectural
# layer; a layer without sources yet still takes part in the dependency graph.
function(fv_layer name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    if(ARG_SOURCES)
        add_library(${name} STATIC ${ARG_SOURCES})
        target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    endif()
endfunction()

# fv_unit_test(NAME [GUI] [SERIAL] SOURCES files... DEPS targets...): one GoogleTest binary.
# SERIAL: its tests run alone, for those that measure the time the client takes.
function(fv_unit_test name)
    cmake_parse_arguments(ARG "GUI;SERIAL" "" "SOURCES;DEPS;LABELS" ${ARGN})
    set(serial FALSE)
    if(ARG_SERIAL)
        set(serial TRUE)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support ${PROJECT_SOURCE_DIR}/src)
    if(ARG_GUI)
        set(test_main fv_testmain_gui)
    else()
        set(test_main fv_testmain_core)
    endif()
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} ${test_main} fv_testsupport GTest::gtest GTest::gmock)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;FV_TEST_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
                   LABELS "${ARG_LABELS}" RUN_SERIAL ${serial})
endfunction()
