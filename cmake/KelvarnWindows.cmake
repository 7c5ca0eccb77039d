# The Windows program, cross-built with MinGW-w64 (cmake/mingw-w64-x86_64.cmake): the Qt-free
# core, the Win32 windows and services of src/<folder>/win32/ and src/app/win32/, and kelvarn.exe
# from src/win32main.cpp, one statically linked file that imports only Windows' own DLLs. The
# tests run under Wine (tests/lib/wine-run.sh).

# Wide-character Win32 calls throughout; no min/max macros in the way of the standard library.
target_compile_definitions(kelvarn_core PUBLIC UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
# GCC 12 warns of overlapping copies inside std::string's own inline code, which no code of ours
# can cause (GCC bug 105329); the Linux build of the same compiler does not.
target_compile_options(kelvarn_core PUBLIC -Wno-restrict)

file(GLOB KELVARN_WIN32_SOURCES CONFIGURE_DEPENDS
  src/platform/win32/*.cpp src/game/win32/*.cpp src/display/win32/*.cpp src/commands/win32/*.cpp
  src/scores/win32/*.cpp src/app/win32/*.cpp)
file(GLOB KELVARN_WIN32_HEADERS CONFIGURE_DEPENDS
  src/platform/win32/*.h src/game/win32/*.h src/display/win32/*.h src/commands/win32/*.h
  src/scores/win32/*.h src/app/win32/*.h)
# The file operations the core stands on, in their Win32 form: part of the core itself.
set(KELVARN_WIN32_CORE_SOURCES
  ${CMAKE_SOURCE_DIR}/src/platform/win32/RegularFile.cpp
  ${CMAKE_SOURCE_DIR}/src/scores/win32/ListFiles.cpp)
target_sources(kelvarn_core PRIVATE ${KELVARN_WIN32_CORE_SOURCES})
list(REMOVE_ITEM KELVARN_WIN32_SOURCES ${KELVARN_WIN32_CORE_SOURCES})
add_library(kelvarn_win32 STATIC ${KELVARN_WIN32_SOURCES} ${KELVARN_WIN32_HEADERS})
target_link_libraries(kelvarn_win32 PUBLIC kelvarn_core
  user32 gdi32 comctl32 comdlg32 shell32 shlwapi ole32 oleaut32 uuid windowscodecs winmm)
# One file that needs no DLL of ours: the C and C++ runtimes and winpthread go inside.
target_link_options(kelvarn_win32 INTERFACE -static -static-libgcc -static-libstdc++)

# The sound effects live in the folder `sound` beside the program.
file(GLOB KELVARN_SOUNDS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/sound/*.wav)

# The resources: the program icon (16, 32, 48 and 256 pixels, packed by icotool at build time),
# the version information from the project's version, the manifest and the pictures.
enable_language(RC)
find_program(KELVARN_ICOTOOL icotool REQUIRED)
set(KELVARN_ICON ${CMAKE_BINARY_DIR}/kelvarn.ico)
set(KELVARN_ICON_PNGS
  ${CMAKE_SOURCE_DIR}/assets/icons/kelvarn16.png ${CMAKE_SOURCE_DIR}/assets/icons/kelvarn32.png
  ${CMAKE_SOURCE_DIR}/assets/icons/kelvarn48.png ${CMAKE_SOURCE_DIR}/assets/icons/kelvarn256.png)
# The small sizes as bitmaps (every Windows shows them), the 256-pixel one as PNG.
add_custom_command(OUTPUT ${KELVARN_ICON}
  COMMAND ${KELVARN_ICOTOOL} -c -o ${KELVARN_ICON}
    ${CMAKE_SOURCE_DIR}/assets/icons/kelvarn16.png ${CMAKE_SOURCE_DIR}/assets/icons/kelvarn32.png
    ${CMAKE_SOURCE_DIR}/assets/icons/kelvarn48.png
    --raw=${CMAKE_SOURCE_DIR}/assets/icons/kelvarn256.png
  DEPENDS ${KELVARN_ICON_PNGS}
  COMMENT "Packing the program icon"
  VERBATIM)
string(REPLACE "." "," KELVARN_VERSION_COMMAS "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0")
set(KELVARN_VERSION4 "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0")
set(KELVARN_MANIFEST ${CMAKE_BINARY_DIR}/kelvarn.manifest)
configure_file(${CMAKE_SOURCE_DIR}/desktop/windows/kelvarn.manifest.in ${KELVARN_MANIFEST} @ONLY)
file(GLOB KELVARN_PICTURES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/pictures/*.png)
set(KELVARN_PICTURE_RESOURCES "")
foreach(picture ${KELVARN_PICTURES})
  get_filename_component(name ${picture} NAME_WE)
  string(APPEND KELVARN_PICTURE_RESOURCES "${name} RCDATA \"${picture}\"\n")
endforeach()
set(KELVARN_RC ${CMAKE_BINARY_DIR}/kelvarn.rc)
configure_file(${CMAKE_SOURCE_DIR}/desktop/windows/kelvarn.rc.in ${KELVARN_RC} @ONLY)
set_source_files_properties(${KELVARN_RC} PROPERTIES
  OBJECT_DEPENDS "${KELVARN_ICON};${KELVARN_MANIFEST};${KELVARN_PICTURES}")

if(EXISTS ${CMAKE_SOURCE_DIR}/src/win32main.cpp)
  add_executable(kelvarn WIN32 src/win32main.cpp ${KELVARN_RC} ${KELVARN_ICON})
  target_link_libraries(kelvarn PRIVATE kelvarn_win32)
  target_link_options(kelvarn PRIVATE -municode -mwindows)
  if(KELVARN_SOUNDS)
    add_custom_command(TARGET kelvarn POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:kelvarn>/sound
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${KELVARN_SOUNDS}
        $<TARGET_FILE_DIR:kelvarn>/sound/
      VERBATIM)
  endif()

  # The portable copy: kelvarn.exe and sound\ in a zip; it keeps its list beside itself.
  set(KELVARN_ZIP ${CMAKE_BINARY_DIR}/Kelvarn-${PROJECT_VERSION}-win64.zip)
  set(KELVARN_ZIP_DIR ${CMAKE_BINARY_DIR}/zip)
  add_custom_command(OUTPUT ${KELVARN_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${KELVARN_ZIP_DIR}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KELVARN_ZIP_DIR}/sound
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:kelvarn> ${KELVARN_ZIP_DIR}/
    COMMAND ${CMAKE_COMMAND} -E copy ${KELVARN_SOUNDS} ${KELVARN_ZIP_DIR}/sound/
    COMMAND ${CMAKE_COMMAND} -E rm -f ${KELVARN_ZIP}
    COMMAND ${CMAKE_COMMAND} -E chdir ${KELVARN_ZIP_DIR}
      ${CMAKE_COMMAND} -E tar cf ${KELVARN_ZIP} --format=zip kelvarn.exe sound
    DEPENDS kelvarn ${KELVARN_SOUNDS}
    COMMENT "Packing ${KELVARN_ZIP}"
    VERBATIM)
  add_custom_target(kelvarn_zip ALL DEPENDS ${KELVARN_ZIP})
else()
  add_custom_target(kelvarn_zip
    COMMAND ${CMAKE_COMMAND} -E echo "kelvarn.exe needs src/win32main.cpp, which is not there yet"
    COMMAND ${CMAKE_COMMAND} -E false
    VERBATIM)
endif()

if(KELVARN_TESTS)
  enable_testing()
  # GoogleTest from Debian's sources, built with the cross compiler.
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  add_subdirectory(tests)
endif()
