# add_fx_plugin(NAME CORE_TARGET CREATE_SOURCE): the loadable plug-in library NAME, built
# from the plug-in's core library, the source that defines createEffectInstance, and the
# framework's exported entry. Only the entry points are
# exported: through a module-definition file on Windows, a version script on Linux.
function(add_fx_plugin name core create_source)
  # The fuzz build links the cores into the fuzzers only: clang does not link the sanitizer
  # runtime into shared libraries, so an instrumented library fails the "-z defs" check.
  if(FX_FUZZ)
    return()
  endif()
  add_library(${name} MODULE ${PROJECT_SOURCE_DIR}/framework/library_entry.cpp ${create_source})
  target_link_libraries(${name} PRIVATE ${core})
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${name}
    LIBRARY_OUTPUT_DIRECTORY "${FX_PLUGIN_OUTPUT_DIR}"
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  if(WIN32)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      set(def "${PROJECT_SOURCE_DIR}/framework/exports/win32.def")
    else()
      set(def "${PROJECT_SOURCE_DIR}/framework/exports/win64.def")
    endif()
    target_sources(${name} PRIVATE ${def})
    set_target_properties(${name} PROPERTIES SUFFIX ".dll")
  else()
    set(map "${PROJECT_SOURCE_DIR}/framework/exports/linux.map")
    target_link_options(${name} PRIVATE "LINKER:--version-script=${map}" "LINKER:-z,defs")
    set_target_properties(${name} PROPERTIES SUFFIX ".so" LINK_DEPENDS "${map}")
    # Where Linux hosts look for plug-ins of this interface.
    install(TARGETS ${name} LIBRARY DESTINATION lib/vst)
  endif()
endfunction()
