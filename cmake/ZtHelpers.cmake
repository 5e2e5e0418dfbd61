# Build helpers shared by every folder.

# zt_add_generator(<name> SOURCES <src>... OUTPUTS <file>... [DIR <dir>])
# Builds a small asset program and runs it at build time. The program is called
# with the output directory as its only argument and must write every listed
# file there. A target <name>_files depends on the outputs; the game and the
# tests depend on that target.
function(zt_add_generator name)
  cmake_parse_arguments(ARG "" "DIR" "SOURCES;OUTPUTS;LIBS" ${ARGN})
  if(NOT ARG_DIR)
    set(ARG_DIR ${ZT_GAME_DIR})
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ztartkit ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZT_TOOLS_DIR})
  set(outs)
  foreach(f IN LISTS ARG_OUTPUTS)
    list(APPEND outs ${ARG_DIR}/${f})
  endforeach()
  add_custom_command(
    OUTPUT ${outs}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:${name}> ${ARG_DIR}
    DEPENDS ${name}
    COMMENT "Generating ${ARG_OUTPUTS}"
    VERBATIM)
  add_custom_target(${name}_files ALL DEPENDS ${outs})
  set_property(GLOBAL APPEND PROPERTY ZT_GENERATOR_TARGETS ${name}_files)
endfunction()

# zt_add_qtest(<name> SOURCES <src>... [LIBS <lib>...] [LABELS <label>...])
# A Qt Test program under CTest. Every test runs on the offscreen platform, with
# a private home, config and runtime folder, and without a sound device, so no
# test can touch the real user's settings. (The test main in tests/common sets
# the same environment up again for runs outside CTest.)
function(zt_add_qtest name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE zttestkit Qt6::Test ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set(home ${CMAKE_BINARY_DIR}/testhome/${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HOME=${home};XDG_CONFIG_HOME=${home}/config;XDG_DATA_HOME=${home}/data;XDG_CACHE_HOME=${home}/cache;SDL_AUDIODRIVER=dummy;ZT_GAME_DIR=${ZT_GAME_DIR}"
    LABELS "${ARG_LABELS}")
  if(ARG_TIMEOUT)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  endif()
endfunction()
