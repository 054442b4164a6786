# Runs keyloom_viz on a generated 1875 Hz tone (bin 20 at 48 kHz) and checks its outputs:
# a PNG file, 256 level lines, and the loudest level at the tone's bin.
# Called with -DVIZ=<keyloom_viz> -DWORK=<folder>.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(
    COMMAND sox -n -r 48000 -c 2 -b 32 -e floating-point ${WORK}/tone.wav synth 1 sine 1875 vol 0.0003
    RESULT_VARIABLE sox_result)
if(NOT sox_result EQUAL 0)
    message(FATAL_ERROR "sox could not generate the tone: ${sox_result}")
endif()
execute_process(
    COMMAND ${VIZ} --wav ${WORK}/tone.wav --gain 270 --png ${WORK}/frame.png --levels ${WORK}/levels.txt
    RESULT_VARIABLE viz_result
    OUTPUT_VARIABLE viz_output
    ERROR_VARIABLE viz_error)
if(NOT viz_result EQUAL 0)
    message(FATAL_ERROR "keyloom_viz failed (${viz_result}): ${viz_error}")
endif()
message(STATUS "${viz_output}")

file(READ ${WORK}/frame.png signature LIMIT 8 HEX)
if(NOT signature STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "frame.png is not a PNG file (${signature})")
endif()

file(STRINGS ${WORK}/levels.txt lines)
list(LENGTH lines count)
if(NOT count EQUAL 256)
    message(FATAL_ERROR "levels.txt has ${count} lines, not 256")
endif()
list(GET lines 80 tone_line)
if(NOT tone_line MATCHES "^80 (0\\.[5-9]|1$)")
    message(FATAL_ERROR "the tone's level is low: '${tone_line}'")
endif()
if(NOT viz_output MATCHES "bin (19|20|21|22)\\)")
    message(FATAL_ERROR "the loudest level is not at the tone's bin: ${viz_output}")
endif()
