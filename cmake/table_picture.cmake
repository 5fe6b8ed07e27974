# The game reads its table picture from the folder it is started in; a
# program built to run the game gets a copy of it in its own folder.
function(corvenne_copy_table_picture target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
            ${CMAKE_SOURCE_DIR}/assets/tavlo2.bmp $<TARGET_FILE_DIR:${target}>/tavlo2.bmp)
endfunction()
