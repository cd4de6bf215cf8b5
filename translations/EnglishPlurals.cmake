# SPDX-License-Identifier: GPL-3.0-or-later
# The English translation holds only the plural forms of the counted sentences ("%Ln names" gives
# "1 name" and "4,212 names"). Run as: cmake -DLUPDATE=<lupdate> -DROOT=<source folder> -P EnglishPlurals.cmake
#   alone:               reads the counted sentences of the sources into the translation; a new one
#                        comes with empty forms, marked unfinished, to be filled in by hand;
#   with -DCHECK=<file>: does the same on a copy at <file> and fails where the translation is not
#                        as the sources make it, or holds forms not filled in.
file(GLOB_RECURSE sources ${ROOT}/gui/*.h ${ROOT}/gui/*.cpp ${ROOT}/app/*.cpp)
set(english ${ROOT}/translations/tamsells-file-utilities_en.ts)
set(written ${english})
if(CHECK)
    configure_file(${english} ${CHECK} COPYONLY)
    set(written ${CHECK})
endif()
execute_process(COMMAND ${LUPDATE} -silent -pluralonly -no-obsolete -locations none -target-language en
                        -I ${ROOT} ${sources} -ts ${written}
                RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "lupdate failed")
endif()
if(CHECK)
    file(READ ${english} kept)
    file(READ ${CHECK} made)
    if(NOT kept STREQUAL made)
        message(FATAL_ERROR "${english} is not as the sources make it: build the target "
                            "english_plurals, fill in the new forms, and compare with ${CHECK}")
    endif()
    string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation type=\"unfinished\"" unfinished "${kept}")
    if(unfinished)
        message(FATAL_ERROR "Counted sentences without their English forms:\n${unfinished}")
    endif()
endif()
