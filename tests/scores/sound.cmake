# The RIFF WAVE reader and the sound cues.
tolvane_add_test(test_riffwave SOURCES test_riffwave.cpp LIBS tolvane_scores)

# One program, two groups: "seam" plays into recording and silent outputs;
# "pulse" plays into a private PulseAudio null sink and records its monitor,
# and exits with 77 (counted as skipped) where no server can be started.
tolvane_add_test(test_sound SOURCES test_sound.cpp LIBS tolvane_scores)
target_compile_definitions(test_sound PRIVATE
  TOLVANE_PULSE_NULL_SCRIPT="${PROJECT_SOURCE_DIR}/scripts/pulse-null.sh")
add_test(NAME test_sound_pulse COMMAND test_sound pulse)
set_tests_properties(test_sound_pulse PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QPA_FONTDIR=/usr/share/fonts"
  SKIP_RETURN_CODE 77
  # Its timing bounds are generous, but a second test running beside it on
  # two cores only adds noise.
  RUN_SERIAL TRUE
  TIMEOUT 300)
# A server that takes the connection and never answers: the cues return at
# once and the test ends at once, although connecting waits 30 s.
add_test(NAME test_sound_silent COMMAND test_sound silent)
set_tests_properties(test_sound_silent PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QPA_FONTDIR=/usr/share/fonts"
  TIMEOUT 120)
add_test(NAME test_sound_nodevice COMMAND test_sound nodevice)
set_tests_properties(test_sound_nodevice PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QPA_FONTDIR=/usr/share/fonts"
  TIMEOUT 300)
