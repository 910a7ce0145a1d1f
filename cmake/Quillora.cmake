# Shared build settings: warnings, sanitizers and the folder-library convention.

add_compile_options(-Wall -Wextra -Wpedantic)
if(QUILLORA_WERROR)
  add_compile_options(-Werror)
endif()

if(QUILLORA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(QUILLORA_FUZZ)
  # Libraries get coverage instrumentation; only the fuzz executables link the fuzzer main.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

find_program(QUILLORA_CCACHE ccache)
if(QUILLORA_CCACHE)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${QUILLORA_CCACHE})
endif()

# quillora_folder_libraries(name [LIBS ...] [CORE_LIBS ...])
# A subsystem folder holds standard-C++ code in core/ (library <name>_core, built in
# every flavour and fuzzable) and Qt code at its top (library <name>, linking the core).
function(quillora_folder_libraries name)
  cmake_parse_arguments(ARG "" "" "LIBS;CORE_LIBS" ${ARGN})
  file(GLOB core_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/core/*.cpp)
  if(core_sources)
    add_library(${name}_core STATIC ${core_sources})
    target_include_directories(${name}_core PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name}_core PUBLIC ${ARG_CORE_LIBS})
  else()
    add_library(${name}_core INTERFACE)
    target_include_directories(${name}_core INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name}_core INTERFACE ${ARG_CORE_LIBS})
  endif()
  set_property(GLOBAL APPEND PROPERTY QUILLORA_CORE_LIBRARIES ${name}_core)
  if(QUILLORA_CORE_ONLY)
    return()
  endif()
  file(GLOB qt_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB qt_headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(qt_sources)
    add_library(${name} STATIC ${qt_sources} ${qt_headers})
    target_link_libraries(${name} PUBLIC ${name}_core ${ARG_LIBS} Qt6::Widgets)
    target_precompile_headers(${name} PRIVATE <QtWidgets>)
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${name}_core ${ARG_LIBS})
  endif()
  set_property(GLOBAL APPEND PROPERTY QUILLORA_LIBRARIES ${name})
endfunction()

# The programs read their hand cursor HAND-M.CUR from their own folder: copy it there.
function(quillora_place_hand_cursor target)
  set(cursor ${CMAKE_CURRENT_BINARY_DIR}/HAND-M.CUR)
  add_custom_command(OUTPUT ${cursor}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/resources/HAND-M.CUR ${cursor}
    DEPENDS ${PROJECT_SOURCE_DIR}/resources/HAND-M.CUR
    VERBATIM)
  target_sources(${target} PRIVATE ${cursor})
endfunction()
