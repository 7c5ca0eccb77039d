# The setup program Kelvarn-<version>-setup.exe, made with NSIS from the built kelvarn.exe and the
# sound folder, and the tests that play the Windows game and its setup under Wine. Included by
# the cross build (WIN32) only, after the program's own targets.
if(NOT TARGET kelvarn)
  return()
endif()
find_program(KELVARN_MAKENSIS makensis)
set(KELVARN_SETUP ${CMAKE_BINARY_DIR}/Kelvarn-${PROJECT_VERSION}-setup.exe)
file(GLOB KELVARN_SETUP_SOUNDS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/sound/*.wav)
# The program's icon (KELVARN_ICON, packed by the resource build) for the setup and the uninstaller.
set(KELVARN_SETUP_ICON_FLAG)
set(KELVARN_SETUP_ICON_DEPENDS)
if(KELVARN_ICON)
  set(KELVARN_SETUP_ICON_FLAG -DICON=${KELVARN_ICON})
  set(KELVARN_SETUP_ICON_DEPENDS ${KELVARN_ICON})
endif()
if(KELVARN_MAKENSIS)
  add_custom_command(OUTPUT ${KELVARN_SETUP}
    COMMAND ${KELVARN_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION}
      -DVERSION4=${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0
      -DEXE=$<TARGET_FILE:kelvarn> -DSOUND=${CMAKE_SOURCE_DIR}/assets/sound
      -DOUTFILE=${KELVARN_SETUP} ${KELVARN_SETUP_ICON_FLAG}
      ${CMAKE_SOURCE_DIR}/windows/setup/kelvarn.nsi
    DEPENDS kelvarn ${CMAKE_SOURCE_DIR}/windows/setup/kelvarn.nsi ${KELVARN_SETUP_SOUNDS}
      ${KELVARN_SETUP_ICON_DEPENDS}
    COMMENT "Making the setup program ${KELVARN_SETUP}"
    VERBATIM)
  add_custom_target(setup ALL DEPENDS ${KELVARN_SETUP})
else()
  message(WARNING "makensis not found (Debian package nsis): no setup program")
endif()

if(KELVARN_TESTS)
  # The Windows game under Wine on a virtual display of its own, one test per behaviour; each
  # script shares one Wine prefix among its cases, a copy of the prepared one (fixture wine).
  set(KELVARN_WINE_E2E_PROPERTIES RUN_SERIAL TRUE LABELS e2e-wine FIXTURES_REQUIRED wine
    ENVIRONMENT KELVARN_WINE_TEMPLATE=${CMAKE_BINARY_DIR}/wine-template)
  file(GLOB KELVARN_WINE_E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e-wine/*_test.sh)
  list(FILTER KELVARN_WINE_E2E_TESTS EXCLUDE REGEX "/setup_test\\.sh$")
  foreach(script ${KELVARN_WINE_E2E_TESTS})
    get_filename_component(name ${script} NAME_WE)
    add_test(NAME e2e-wine.${name} COMMAND bash ${script} $<TARGET_FILE:kelvarn>)
    set_tests_properties(e2e-wine.${name} PROPERTIES TIMEOUT 240 ${KELVARN_WINE_E2E_PROPERTIES})
  endforeach()
  if(KELVARN_MAKENSIS)
    # Install, play, upgrade and uninstall through the setup program.
    add_test(NAME e2e-wine.setup
      COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e-wine/setup_test.sh ${KELVARN_SETUP})
    set_tests_properties(e2e-wine.setup PROPERTIES TIMEOUT 300 ${KELVARN_WINE_E2E_PROPERTIES})
  endif()
endif()
