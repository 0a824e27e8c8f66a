# Tests of the include rule (see Areas.cmake): each probe is a source file
# compiled as part of the outline's library, outside the normal build; a
# test builds it and checks that the compiler refused the header for the
# reason the rule gives, or, for the control, that it compiled.
function(qp_layer_probe name library)
  cmake_parse_arguments(P "" "FAILS_ON" "" ${ARGN})
  add_library(qp_probe_${name} OBJECT EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/cmake/layer_probes/${name}.cpp)
  target_link_libraries(qp_probe_${name} PRIVATE ${library})
  add_test(NAME layers_${name}
           COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target qp_probe_${name})
  # The probes build in this build tree, one at a time.
  set_tests_properties(layers_${name} PROPERTIES RESOURCE_LOCK qp_build_tree)
  if(P_FAILS_ON)
    string(REPLACE "." "\\." _header "${P_FAILS_ON}")
    set_tests_properties(layers_${name} PROPERTIES
      PASS_REGULAR_EXPRESSION "${_header}.*(No such file|file not found)")
  endif()
endfunction()

qp_layer_probe(outline_reaches_below qp_outline)
qp_layer_probe(program_reaches_platform_internals qp_outline FAILS_ON platform/window/wm_internal.h)
qp_layer_probe(outline_reaches_shell qp_outline FAILS_ON shell/main_window.h)
