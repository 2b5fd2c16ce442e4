# The game's working directory build/data: the archive "sport.gob" packed from the generated
# pictures and sounds, the two language files converted from data/lang, and the intro video
# "intro.avi" (drawn from the same title picture as the loading screen).
set(KW_DATA_DIR ${CMAKE_BINARY_DIR}/data)
set(KW_GEN_DIR ${CMAKE_BINARY_DIR}/generated)
file(MAKE_DIRECTORY ${KW_DATA_DIR} ${KW_GEN_DIR}/art ${KW_GEN_DIR}/sounds)

# Archive entries: name in the archive = generated file.
set(KW_ART_FILES splash.PNG misc1.PNG misc2.PNG misc3.PNG misc4.PNG menu1.PNG menu2.PNG menu3.PNG
    back1.PNG back2.PNG back3.PNG back4.PNG MemoryCards1.png MemoryCards2.png Memory_Muster.PNG bg.PNG)
set(KW_SOUND_FILES klick_menu.wav klick_game.wav win.wav lose.wav alarm.wav lamp1.wav pop.wav punch.wav)

set(KW_ART_OUTPUTS "")
set(KW_PACK_ARGS "")
foreach(f ${KW_ART_FILES})
  list(APPEND KW_ART_OUTPUTS ${KW_GEN_DIR}/art/${f})
  list(APPEND KW_PACK_ARGS "${f}=${KW_GEN_DIR}/art/${f}")
endforeach()
set(KW_SOUND_OUTPUTS "")
foreach(f ${KW_SOUND_FILES})
  list(APPEND KW_SOUND_OUTPUTS ${KW_GEN_DIR}/sounds/${f})
  list(APPEND KW_PACK_ARGS "Sounds\\${f}=${KW_GEN_DIR}/sounds/${f}")
endforeach()

# The thirteen pictures of picture building: hand-written level files, packed as "bb_0" .. "bb_12".
set(KW_LEVEL_FILES "")
foreach(n RANGE 12)
  list(APPEND KW_LEVEL_FILES ${CMAKE_SOURCE_DIR}/data/levels/bb_${n})
  list(APPEND KW_PACK_ARGS "bb_${n}=${CMAKE_SOURCE_DIR}/data/levels/bb_${n}")
endforeach()

add_custom_command(OUTPUT ${KW_ART_OUTPUTS}
  COMMAND artgen ${KW_GEN_DIR}/art
  DEPENDS artgen
  COMMENT "Drawing the game art")
add_custom_command(OUTPUT ${KW_SOUND_OUTPUTS}
  COMMAND soundgen ${KW_GEN_DIR}/sounds
  DEPENDS soundgen
  COMMENT "Synthesising the sound effects")
add_custom_command(OUTPUT ${KW_DATA_DIR}/sport.gob
  COMMAND gob pack ${KW_DATA_DIR}/sport.gob ${KW_PACK_ARGS}
  DEPENDS gob ${KW_ART_OUTPUTS} ${KW_SOUND_OUTPUTS} ${KW_LEVEL_FILES}
  COMMENT "Packing sport.gob"
  VERBATIM)

foreach(lang deutsch english)
  add_custom_command(OUTPUT ${KW_DATA_DIR}/${lang}.lng
    COMMAND langconv ${CMAKE_SOURCE_DIR}/data/lang/${lang}.txt ${KW_DATA_DIR}/${lang}.lng
    DEPENDS langconv ${CMAKE_SOURCE_DIR}/data/lang/${lang}.txt
    COMMENT "Converting ${lang}.lng")
endforeach()

add_custom_command(OUTPUT ${KW_DATA_DIR}/intro.avi
  COMMAND introgen ${KW_DATA_DIR}/intro.avi
  DEPENDS introgen
  COMMENT "Making the intro video")

add_custom_target(gamedata ALL DEPENDS ${KW_DATA_DIR}/sport.gob ${KW_DATA_DIR}/deutsch.lng ${KW_DATA_DIR}/english.lng
  ${KW_DATA_DIR}/intro.avi)
add_dependencies(knobelwerk gamedata)
