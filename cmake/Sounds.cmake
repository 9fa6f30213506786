# SPDX-License-Identifier: GPL-3.0-or-later
# The sound cues, generated at build time by tools/make_sounds (espeak-ng and sox) into
# bin/son/, where the program looks for them beside its executable.
set(QUARVELIN_SOUND_DIR ${CMAKE_BINARY_DIR}/bin/son)
set(QUARVELIN_SOUND_FILES
  erreur.wav mat.wav up.wav down.wav connect.wav dring.wav comportement.wav mauvais.wav
  je-suis-faible.wav raisonable.wav commencer.wav beau-ca.wav)
list(TRANSFORM QUARVELIN_SOUND_FILES PREPEND ${QUARVELIN_SOUND_DIR}/ OUTPUT_VARIABLE SOUND_OUTPUTS)
set(SOUND_GENERATOR ${PROJECT_SOURCE_DIR}/tools/make_sounds)
add_custom_command(OUTPUT ${SOUND_OUTPUTS}
  COMMAND ${SOUND_GENERATOR} ${QUARVELIN_SOUND_DIR}
  DEPENDS ${SOUND_GENERATOR}
  COMMENT "Generating the sound cues"
  VERBATIM)
add_custom_target(sounds ALL DEPENDS ${SOUND_OUTPUTS})
