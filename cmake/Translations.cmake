# SPDX-License-Identifier: MIT
# The window's English. Its texts are written in Russian in the sources (tr(), the Russian
# text being the source text); resources/translations/vantrel_en.ts holds their English forms,
# kept with Qt Linguist's tools from Debian's qt6-l10n-tools. Those are host programs: the
# MinGW cross build runs the same ones.
#   vantrel_add_translations(TARGET)  compiles the .ts with lrelease at build time and puts the
#                                     .qm into TARGET's resources as :/translations/vantrel_en.qm
#   update_translations               runs lupdate over ui/: new texts enter the .ts unfinished, texts gone leave it
#                                     (scripts/check-translations.sh fails until they are done)
set(VANTREL_TRANSLATION_TS ${PROJECT_SOURCE_DIR}/resources/translations/vantrel_en.ts)
find_program(VANTREL_LRELEASE NAMES lrelease-qt6 lrelease HINTS /usr/lib/qt6/bin
             NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_program(VANTREL_LUPDATE NAMES lupdate-qt6 lupdate HINTS /usr/lib/qt6/bin
             NO_CMAKE_FIND_ROOT_PATH)

function(vantrel_add_translations target)
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/translations)
  set(qm ${folder}/vantrel_en.qm)
  add_custom_command(OUTPUT ${qm}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${VANTREL_LRELEASE} -silent -removeidentical ${VANTREL_TRANSLATION_TS} -qm ${qm}
    DEPENDS ${VANTREL_TRANSLATION_TS} VERBATIM)
  qt_add_resources(${target} vantrel_translations PREFIX /translations BASE ${folder}
                   FILES ${qm})
endfunction()

if(VANTREL_LUPDATE)
  add_custom_target(update_translations
    COMMAND ${VANTREL_LUPDATE} -silent -no-obsolete -I . -locations none -source-language ru
            -target-language en
            -extensions cpp,h ui -ts ${VANTREL_TRANSLATION_TS}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} VERBATIM)
endif()
