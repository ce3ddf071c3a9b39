# Layers are static libraries that can include only the headers of the layers they depend on.
# Each layer's headers are reached through an include root of its own in the build folder, in
# which one link stands for the layer's source folder (build/include-roots/link/core/link ->
# src/core/link). A target sees the roots of exactly the layers it links, so an include across a
# layer it does not depend on fails to compile.
set(RADIOPROG_INCLUDE_ROOTS "${CMAKE_BINARY_DIR}/include-roots")

# radioprog_include_root(<name> <side/folder> <variable>): makes the root <name> that holds
# src/<side/folder> under its own path, and sets <variable> to the root.
function(radioprog_include_root name path variable)
    set(root "${RADIOPROG_INCLUDE_ROOTS}/${name}")
    get_filename_component(parent "${root}/${path}" DIRECTORY)
    file(MAKE_DIRECTORY "${parent}")
    file(CREATE_LINK "${PROJECT_SOURCE_DIR}/src/${path}" "${root}/${path}" SYMBOLIC)
    set(${variable} "${root}" PARENT_SCOPE)
endfunction()

# radioprog_layer(NAME <name> PATH <side/folder> SOURCES ... [DEPENDS <layer> ...] [LIBRARIES ...])
# makes the target radioprog_<name> from the sources in src/<side/folder>.
function(radioprog_layer)
    cmake_parse_arguments(PARSE_ARGV 0 layer "" "NAME;PATH" "SOURCES;DEPENDS;LIBRARIES")
    radioprog_include_root(${layer_NAME} ${layer_PATH} root)
    list(TRANSFORM layer_SOURCES PREPEND "${PROJECT_SOURCE_DIR}/src/${layer_PATH}/")
    list(TRANSFORM layer_DEPENDS PREPEND radioprog_ OUTPUT_VARIABLE targets)
    add_library(radioprog_${layer_NAME} STATIC ${layer_SOURCES})
    target_include_directories(radioprog_${layer_NAME} PUBLIC "${root}")
    target_link_libraries(radioprog_${layer_NAME} PUBLIC ${targets} ${layer_LIBRARIES})
    radioprog_warnings(radioprog_${layer_NAME})
    radioprog_remember_layer(${layer_NAME} ${layer_PATH} "${layer_DEPENDS}")
endfunction()

# Every layer remembers what it depends on, for the tests that check the rule.
function(radioprog_remember_layer name path depends)
    set_property(GLOBAL APPEND PROPERTY RADIOPROG_LAYERS ${name})
    set_property(GLOBAL PROPERTY RADIOPROG_LAYER_${name}_PATH ${path})
    set_property(GLOBAL PROPERTY RADIOPROG_LAYER_${name}_DEPENDS ${depends})
endfunction()

function(radioprog_layer_closure name variable)
    get_property(direct GLOBAL PROPERTY RADIOPROG_LAYER_${name}_DEPENDS)
    set(closure ${direct})
    foreach(dependency IN LISTS direct)
        radioprog_layer_closure(${dependency} more)
        list(APPEND closure ${more})
    endforeach()
    list(REMOVE_DUPLICATES closure)
    set(${variable} ${closure} PARENT_SCOPE)
endfunction()

# One test per layer: a file that includes one of the layer's own headers compiles with the
# layer's include roots, and a file that includes a header of any layer it does not depend on
# does not.
function(radioprog_add_layer_tests)
    get_property(layers GLOBAL PROPERTY RADIOPROG_LAYERS)
    foreach(layer IN LISTS layers)
        radioprog_layer_closure(${layer} allowed)
        set(headers)
        foreach(other IN LISTS layers)
            get_property(path GLOBAL PROPERTY RADIOPROG_LAYER_${other}_PATH)
            file(GLOB other_headers RELATIVE "${PROJECT_SOURCE_DIR}/src"
                 "${PROJECT_SOURCE_DIR}/src/${path}/*.h")
            list(SORT other_headers)
            list(GET other_headers 0 probe)
            if(other STREQUAL layer)
                set(own ${probe})
            elseif(NOT other IN_LIST allowed)
                list(APPEND headers ${probe})
            endif()
        endforeach()
        add_test(NAME layers.${layer}
                 COMMAND ${CMAKE_COMMAND}
                         "-DCOMPILER=${CMAKE_CXX_COMPILER}"
                         "-DINCLUDES=$<TARGET_PROPERTY:radioprog_${layer},INCLUDE_DIRECTORIES>"
                         "-DOWN=${own}" "-DFORBIDDEN=${headers}"
                         "-DWORK=${CMAKE_CURRENT_BINARY_DIR}/layer-probes/${layer}"
                         -P "${PROJECT_SOURCE_DIR}/cmake/check_layer.cmake")
        set_tests_properties(layers.${layer} PROPERTIES LABELS core)
    endforeach()
endfunction()
