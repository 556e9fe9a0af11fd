# Every tests/<area>/tst_<unit>.cpp becomes one Qt Test executable registered with CTest.
# Core tests link the core only and run without a display; tests under tests/gui link the
# windows and run on the offscreen platform.
function(vkr_add_tests_in dir)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${dir}/tst_*.cpp)
  foreach(src ${tests})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
    target_compile_definitions(${name} PRIVATE
      VKR_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
      VKR_SAMPLE_DATA="${CMAKE_SOURCE_DIR}/data"
      VKR_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    # The GUI registers ".vkr" with the desktop at start: tests do it in a folder of their own.
    set_tests_properties(${name} PROPERTIES ENVIRONMENT
      "QT_QPA_PLATFORM=offscreen;XDG_DATA_HOME=${CMAKE_BINARY_DIR}/tests/xdg/data;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/tests/xdg/config"
      TIMEOUT 300)
  endforeach()
endfunction()
