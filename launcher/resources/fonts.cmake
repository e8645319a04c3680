# Embeds the three TrueType files that scripts/setup.sh installs from npm (pinned by
# fonts/package-lock.json) as RCDATA resources 301, 302 and 303 of VandrelsLauncher.
set(VANDRELS_FONT_PACKAGES ${PROJECT_SOURCE_DIR}/.cache/fonts/node_modules/@expo-google-fonts)
set(VANDRELS_FONT_ANTON ${VANDRELS_FONT_PACKAGES}/anton/400Regular/Anton_400Regular.ttf)
set(VANDRELS_FONT_OSWALD ${VANDRELS_FONT_PACKAGES}/oswald/400Regular/Oswald_400Regular.ttf)
set(VANDRELS_FONT_PERMANENT_MARKER ${VANDRELS_FONT_PACKAGES}/permanent-marker/400Regular/PermanentMarker_400Regular.ttf)

set(font_files ${VANDRELS_FONT_ANTON} ${VANDRELS_FONT_OSWALD} ${VANDRELS_FONT_PERMANENT_MARKER})
foreach(font ${font_files})
  if(NOT EXISTS ${font})
    message(FATAL_ERROR "Font ${font} is missing: run scripts/setup.sh")
  endif()
endforeach()

configure_file(${CMAKE_CURRENT_LIST_DIR}/fonts.rc.in ${CMAKE_CURRENT_BINARY_DIR}/fonts.rc @ONLY)
target_sources(VandrelsLauncher PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/fonts.rc)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/fonts.rc PROPERTIES OBJECT_DEPENDS "${font_files}")
