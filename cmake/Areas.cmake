# The include rule the build enforces. No library of the program gets the
# repository root or src/ as an include folder; instead each has an include
# root of its own in the build tree (include_roots/<library>/) holding one
# link named after its folder. So "outline/tree_load.h" resolves only for a
# library that links qp_outline, and a platform header outside platform/api
# resolves only for the platform itself and for the harnesses that drive it
# (tests, fuzz targets, benchmarks, the executable's main).
set(QP_INCLUDE_ROOTS ${CMAKE_BINARY_DIR}/include_roots)

# An include root `root` (under QP_INCLUDE_ROOTS) that shows the source folder
# `dir` as `name`.
function(qp_include_root root name dir)
  file(MAKE_DIRECTORY ${QP_INCLUDE_ROOTS}/${root})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${dir} ${QP_INCLUDE_ROOTS}/${root}/${name} SYMBOLIC)
endfunction()

# The platform's own headers as "platform/<area>/<file>.h", for the platform
# and the harnesses. They are reached from the repository root, as they
# always were, so the platform's objects stay what the compiler cache holds;
# that the platform names nothing of src/ is checked below instead.
add_library(qp_platform_internals INTERFACE)
target_include_directories(qp_platform_internals INTERFACE ${CMAKE_SOURCE_DIR})

# The platform knows nothing of the program: no platform file includes a
# header of src/ (by its path from the repository root or by a program
# folder's name) or names the program.
function(qp_check_platform_includes)
  file(GLOB _dirs LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/src/*)
  set(_folders "src")
  foreach(d ${_dirs})
    if(IS_DIRECTORY ${d})
      get_filename_component(n ${d} NAME)
      list(APPEND _folders ${n})
    endif()
  endforeach()
  list(JOIN _folders "|" _alternatives)
  file(GLOB_RECURSE _files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/*.h ${CMAKE_SOURCE_DIR}/platform/*.cpp)
  foreach(f ${_files})
    file(STRINGS ${f} _hits REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](${_alternatives})/")
    if(_hits)
      message(SEND_ERROR "${f} includes a header of the program: ${_hits}")
    endif()
    # Nor does it name the program: the host hands it the program's names
    # (platform/system/program_identity.h).
    file(STRINGS ${f} _names REGEX "[Qq][Uu][Ii][Ll][Ll][Ee][Tt]")
    if(_names)
      message(SEND_ERROR "${f} names the program instead of taking its names from the host: ${_names}")
    endif()
  endforeach()
endfunction()
qp_check_platform_includes()

# One static library per platform folder (its own .cpp files, not those of
# subfolders). Whoever links it sees platform/api only; the platform's
# internal headers stay private to the platform. A folder without sources
# becomes an interface library that bundles others.
function(qp_platform_area name dir)
  cmake_parse_arguments(A "" "" "LIBS" ${ARGN})
  file(GLOB _srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  if(_srcs)
    add_library(${name} STATIC ${_srcs})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/platform/api)
    target_link_libraries(${name} PRIVATE qp_platform_internals PUBLIC ${A_LIBS} Threads::Threads)
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${A_LIBS} Threads::Threads)
  endif()
endfunction()

# One static library per program folder src/<folder>: its headers are
# "<folder>/<file>.h" for itself and for the libraries that link it, so a
# folder includes only the folders below it (LIBS) and platform/api.
function(qp_program_area name dir)
  cmake_parse_arguments(A "" "" "LIBS" ${ARGN})
  get_filename_component(folder ${dir} NAME)
  qp_include_root(${name} ${folder} ${dir})
  file(GLOB _srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  add_library(${name} STATIC ${_srcs})
  target_include_directories(${name} PUBLIC ${QP_INCLUDE_ROOTS}/${name})
  target_link_libraries(${name} PUBLIC ${A_LIBS} Threads::Threads)
endfunction()

# tests/<a>/<b>/*.cpp becomes the executable test_<a>_<b>, linked with the
# library of the same area (tests/platform/system -> qp_platform_system,
# tests/storage -> qp_storage). The tests of the program's windows and
# commands (dialogs, outline, lists, exchange, shell) drive them through the
# main window, which reaches every folder, so they link the whole program.
# Tests may reach into the platform's internals to set the device up. Each
# executable is one CTest test.
function(qp_tests root)
  file(GLOB_RECURSE _all CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${root}/*.cpp)
  set(_dirs "")
  foreach(f ${_all})
    get_filename_component(d ${f} DIRECTORY)
    list(APPEND _dirs ${d})
  endforeach()
  list(REMOVE_DUPLICATES _dirs)
  foreach(d ${_dirs})
    file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR}/${root} ${d})
    if(rel STREQUAL "support" OR rel MATCHES "/support$" OR rel MATCHES "^support/")
      continue()
    endif()
    string(REPLACE "/" "_" tag ${rel})
    # The library of the nearest source folder: tests/platform/controls/edit
    # -> qp_platform_controls_edit, else qp_platform_controls; tests/storage/x
    # -> qp_storage; tests/e2e -> the whole program.
    set(lib "")
    set(probe ${rel})
    while(probe AND lib STREQUAL "")
      string(REPLACE "/" "_" cand "qp_${probe}")
      if(TARGET ${cand})
        set(lib ${cand})
      else()
        string(FIND ${probe} "/" slash REVERSE)
        if(slash EQUAL -1)
          set(probe "")
        else()
          string(SUBSTRING ${probe} 0 ${slash} probe)
        endif()
      endif()
    endwhile()
    if(lib STREQUAL "" OR lib MATCHES "^qp_(state|dialogs|outline|lists|exchange|shell)$")
      set(lib qp_program)
    endif()
    file(GLOB _tsrcs CONFIGURE_DEPENDS ${d}/*.cpp)
    file(GLOB _support CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${root}/support/*.cpp)
    add_executable(test_${tag} ${_tsrcs} ${_support})
    target_include_directories(test_${tag} PRIVATE ${CMAKE_SOURCE_DIR}/${root})
    target_link_libraries(test_${tag} PRIVATE ${lib} qp_platform_internals GTest::gtest GTest::gtest_main)
    # Storage's tests set the program's state the way the program does (the
    # current list's cipher flag, the settings loaded into the state) around
    # the storage calls they test.
    if(lib STREQUAL "qp_storage")
      target_link_libraries(test_${tag} PRIVATE qp_state)
    endif()
    add_test(NAME ${tag} COMMAND test_${tag})
    set_tests_properties(${tag} PROPERTIES ENVIRONMENT "QP_SOURCE_DIR=${CMAKE_SOURCE_DIR};QP_BINARY_DIR=${CMAKE_BINARY_DIR}")
  endforeach()
endfunction()
