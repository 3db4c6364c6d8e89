# Which layer a folder of the tree belongs to; needs the table (<build>/layers/table.cmake) read.

# The layer whose folder holds `path`: the one with the longest folder that `path` lies in.
function(layer_of_folder path out)
    set(found "")
    set(found_length 0)
    foreach(layer IN LISTS RL_LAYERS)
        set(layer_folder "${RL_LAYER_${layer}_FOLDER}")
        string(LENGTH "${layer_folder}" length)
        string(FIND "${path}/" "${layer_folder}/" at)
        if(at EQUAL 0 AND length GREATER found_length)
            set(found ${layer})
            set(found_length ${length})
        endif()
    endforeach()
    set(${out} "${found}" PARENT_SCOPE)
endfunction()
