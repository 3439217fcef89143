# Shared build rules: warnings, sanitizers, one library target per folder.

function(torvan_find_dependencies)
  find_package(PkgConfig REQUIRED)
  find_package(Threads REQUIRED)
  find_package(JPEG REQUIRED)
  find_package(PNG REQUIRED)
  find_package(Freetype REQUIRED)
  find_package(Fontconfig REQUIRED)
  find_package(SDL2 REQUIRED)
  pkg_check_modules(RTMIDI REQUIRED IMPORTED_TARGET GLOBAL rtmidi)
  pkg_check_modules(JACK REQUIRED IMPORTED_TARGET GLOBAL jack)
  if(TORVAN_TESTS)
    find_package(GTest REQUIRED)
  endif()
  if(TORVAN_BENCH)
    find_package(benchmark REQUIRED)
  endif()
endfunction()

# Compile options every target of ours gets.
function(torvan_target_options target)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    return()
  endif()
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wno-unused-parameter)
  if(TORVAN_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endif()
  if(TORVAN_FUZZ)
    # Coverage for the fuzzer everywhere; only the fuzz targets link its main.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                           -fno-sanitize-recover=undefined -O1)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endif()
  if(TORVAN_TSAN)
    target_compile_options(${target} PRIVATE -fsanitize=thread -fno-omit-frame-pointer)
    target_link_options(${target} PUBLIC -fsanitize=thread)
  endif()
endfunction()

# torvan_library(<name> [DEPS <targets...>] [EXCLUDE <subfolders...>])
# Builds every .cpp below the current folder (but programs/ and the EXCLUDEd
# subfolders, which are libraries of their own) into a static library named
# after the folder. Include paths are rooted at the repository top, so code
# includes "framework/base/Rect.h" and the like.
function(torvan_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  # A folder's programs (their main functions) live in programs/ and are
  # built by torvan_program, not into the library.
  list(FILTER sources EXCLUDE REGEX "^${CMAKE_CURRENT_SOURCE_DIR}/programs/")
  foreach(folder ${ARG_EXCLUDE})
    list(FILTER sources EXCLUDE REGEX "^${CMAKE_CURRENT_SOURCE_DIR}/${folder}/")
  endforeach()
  set(cpp ${sources})
  list(FILTER cpp INCLUDE REGEX "\\.cpp$")
  if(cpp)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    torvan_target_options(${name})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# torvan_program(<name> SOURCES <files...> DEPS <targets...>)
function(torvan_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  torvan_target_options(${name})
  # The tables' tens of thousands of pointers are relocated at every start:
  # packed, their relocations take a few kilobytes of memory instead of a
  # megabyte.
  include(CheckLinkerFlag)
  check_linker_flag(CXX "LINKER:-z,pack-relative-relocs" TORVAN_PACKED_RELOCS)
  if(TORVAN_PACKED_RELOCS)
    target_link_options(${name} PRIVATE "LINKER:-z,pack-relative-relocs")
  endif()
endfunction()

# torvan_resources(<target> <manifest> [FALLBACK] [ROOT <folder>] [DEPENDS <files...>])
# Compiles a resource manifest into the target. The manifest's "module" line
# names the generated function (and header, resources/<Name>.h) that
# registers the module. FALLBACK modules are searched after all others (the
# framework's own texts, which a program's may replace). ROOT names the folder
# the manifest's files are in when it is not the manifest's own (generated
# files), and DEPENDS what makes them.
function(torvan_resources target manifest)
  cmake_parse_arguments(ARG "FALLBACK" "ROOT" "DEPENDS" ${ARGN})
  get_filename_component(name ${manifest} NAME_WE)
  set(out ${PROJECT_BINARY_DIR}/generated/resources)
  set(flag "")
  if(ARG_FALLBACK)
    set(flag "--fallback")
  endif()
  if(ARG_ROOT)
    list(APPEND flag --root ${ARG_ROOT})
  endif()
  add_custom_command(
    OUTPUT ${out}/${name}.cpp ${out}/${name}.h
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
    COMMAND rescomp ${manifest} ${out}/${name}.cpp ${out}/${name}.h ${out}/${name}.d ${flag}
    DEPENDS rescomp ${manifest} ${ARG_DEPENDS}
    DEPFILE ${out}/${name}.d
    COMMENT "Compiling resources ${name}")
  target_sources(${target} PRIVATE ${out}/${name}.cpp ${out}/${name}.h)
endfunction()
