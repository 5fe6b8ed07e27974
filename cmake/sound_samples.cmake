# The table's sounds are made by the build (tools/make_sounds) into one folder
# of the build tree, from where they are installed with the game's data.
set(CORVENNE_SOUND_FOLDER ${CMAKE_BINARY_DIR}/sounds)
# As sound/sample_files.h names them.
set(CORVENNE_SOUND_SAMPLES cue_strike.wav ball_click.wav cushion_knock.wav pocket_drop.wav)
list(TRANSFORM CORVENNE_SOUND_SAMPLES PREPEND ${CORVENNE_SOUND_FOLDER}/ OUTPUT_VARIABLE CORVENNE_SOUND_FILES)

# The game reads its samples as it reads its table picture; a program built to
# run the game gets a copy of them in its own folder.
function(corvenne_copy_sounds target)
  add_dependencies(${target} corvenne_sounds)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CORVENNE_SOUND_FILES} $<TARGET_FILE_DIR:${target}>)
endfunction()
