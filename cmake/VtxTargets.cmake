# Shared compile settings for every target of the project.

# Warnings on and clean: every target of ours gets these.
function(vtx_warnings target)
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    endif()
endfunction()

# A library of ours: warnings, C++20, the repository root on the include path
# so headers are included as "game/Match.h", "scene/engine/AnimatedModel.h" and so on.
function(vtx_library target)
    vtx_warnings(${target})
    target_compile_features(${target} PUBLIC cxx_std_20)
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# A GoogleTest executable registered with ctest. LABELS lets the test command
# pick groups ("pure" for the sanitizer run, "gui" for tests that need a display).
# QT_MAIN gives the tests a QApplication (tests/support/QtTestMain.cpp) instead
# of gtest's plain main. Tests are listed when ctest runs, not at build time,
# so a GUI test binary is only ever started under the virtual display.
# SERIAL keeps the tests from running beside any other: for tests whose
# result depends on the one pointer and focus of the shared display.
function(vtx_gtest target)
    cmake_parse_arguments(ARG "QT_MAIN;SERIAL" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    vtx_warnings(${target})
    target_compile_features(${target} PRIVATE cxx_std_20)
    if(ARG_QT_MAIN)
        target_link_libraries(${target} PRIVATE vtx_qt_test_main)
    else()
        target_link_libraries(${target} PRIVATE GTest::gtest_main)
    endif()
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
    target_compile_definitions(${target} PRIVATE
        VTX_SOURCE_DIR="${PROJECT_SOURCE_DIR}" VTX_BINARY_DIR="${PROJECT_BINARY_DIR}")
    set(serial FALSE)
    if(ARG_SERIAL)
        set(serial TRUE)
    endif()
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
        PROPERTIES LABELS "${ARG_LABELS}" RUN_SERIAL ${serial})
endfunction()

# A library made of every .cpp/.h in the given folders (new files are picked up
# at the next build). A folder with no sources yet gives an interface library,
# so the targets that link it keep building while it grows.
function(vtx_folder_library target)
    cmake_parse_arguments(ARG "" "" "DIRS;PUBLIC_LIBS" ${ARGN})
    set(sources)
    foreach(dir ${ARG_DIRS})
        file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
        list(APPEND sources ${found})
    endforeach()
    list(FILTER sources INCLUDE REGEX "\\.cpp$")
    if(sources)
        add_library(${target} STATIC ${sources})
        vtx_library(${target})
        target_link_libraries(${target} PUBLIC ${ARG_PUBLIC_LIBS})
    else()
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
        target_compile_features(${target} INTERFACE cxx_std_20)
        target_link_libraries(${target} INTERFACE ${ARG_PUBLIC_LIBS})
    endif()
endfunction()
