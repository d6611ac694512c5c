# The Windows world: the engine qsx.exe, uidriver.exe and the tests run under Wine.
option(QUIV_WIN_TESTS "Build the Windows tests (run under Wine)" ON)

enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}")

# Small, static programs: every byte of the engine is copied into every installer.
add_compile_options(-ffunction-sections -fdata-sections)
set(QUIV_WIN_LINK -static -Wl,--gc-sections)

set(QUIV_WIN_SYSTEM_LIBS gdi32 user32 shell32 ole32 oleaut32 advapi32 version uuid comdlg32)

# The engine's code, less its entry point, its fatal-error box and its operator new (so tests
# can link the rest). The operator new is linked as an object, not taken from a library, so
# that it replaces the C++ runtime's one whichever library asks for it.
quiv_glob(ENGINE_SOURCES DIRS platform archive install uninstall ui app
  EXCLUDE "/portable/" "/archive/format/" "/app/WinMain.cpp$" "/app/FatalError.cpp$"
          "/platform/OperatorNew.cpp$" "/app/ProcessEntry.cpp$"
          "/app/LongDivisionHelpers.cpp$")
quiv_library(quiv_engine ${ENGINE_SOURCES})
quiv_engine_code(quiv_engine)
quiv_link(quiv_engine quiv_portable quiv_format quiv_core ${QUIV_WIN_SYSTEM_LIBS})

# The engine's code is optimised across files at link time: with -Os, inlining the many
# one-caller functions and dropping what no caller needs makes qsx.exe about a quarter smaller.
# The programs built from that code (tests, fixtures) are linked the same way.
set(QUIV_ENGINE_TARGETS quiv_core quiv_format quiv_portable quiv_engine)
foreach(t ${QUIV_ENGINE_TARGETS})
  get_target_property(type ${t} TYPE)
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    set_property(TARGET ${t} PROPERTY INTERPROCEDURAL_OPTIMIZATION ON)
  endif()
endforeach()
# GCC 12's link-time pass that drops unused parameters (IPA-SRA) fails with an internal
# compiler error on Vector's element placement once the file-extraction code is linked in;
# every program linked from the engine's code goes without that pass.
target_link_options(quiv_engine INTERFACE -fno-ipa-sra)
# The optimised code is generated at link time: with the engine's flags (stack alignment).
target_link_options(quiv_engine INTERFACE ${QUIV_ENGINE_FLAGS})

file(GLOB QSX_RESOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/ui/resources/*.rc)
set(QSX_ENTRY ${CMAKE_SOURCE_DIR}/app/WinMain.cpp ${CMAKE_SOURCE_DIR}/app/FatalError.cpp
  ${CMAKE_SOURCE_DIR}/platform/OperatorNew.cpp ${CMAKE_SOURCE_DIR}/app/ProcessEntry.cpp)
# qsx.exe starts at its own entry point (app/ProcessEntry.cpp): without the C run-time's start-up
# files (-nostartfiles) it leaves out their argument parsing, TLS callbacks and exit-time
# tables (about 10 KB). The entry's symbol has the 32-bit C prefix '_' there.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(QSX_ENTRY_SYMBOL _qsxProcessEntry)
else()
  set(QSX_ENTRY_SYMBOL qsxProcessEntry)
endif()
# The 32-bit engine takes the compiler's 64-bit division helpers from app/LongDivisionHelpers.cpp
# (about 3 KB less, with the unwind tables of the runtime's ones). Compiled without link-time
# optimisation, so that the linker has these names before the optimised code calls them.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(QSX_DIVISION ${CMAKE_SOURCE_DIR}/app/LongDivisionHelpers.cpp)
  list(APPEND QSX_ENTRY ${QSX_DIVISION})
  set_source_files_properties(${QSX_DIVISION} PROPERTIES COMPILE_OPTIONS -fno-lto)
endif()
# It carries no relocations either (about 3 KB): an installer runs at its preferred base
# address, so the image is not moved (no address-space randomisation for it).
set(QSX_LINK -nostartfiles -Wl,-e,${QSX_ENTRY_SYMBOL} -Wl,--disable-dynamicbase,--disable-reloc-section)
# Its optimised code is generated as one piece, not in parallel parts: the parts could neither
# share their constant texts nor inline across each other (about 1 KB).
list(APPEND QSX_LINK -flto-partition=one)
if(EXISTS ${CMAKE_SOURCE_DIR}/app/WinMain.cpp)
  add_executable(qsx WIN32 ${QSX_ENTRY} ${QSX_RESOURCES})
  set_property(TARGET qsx PROPERTY INTERPROCEDURAL_OPTIMIZATION ON)
  target_compile_options(qsx PRIVATE ${QUIV_ENGINE_FLAGS})
  target_link_libraries(qsx PRIVATE quiv_engine)
  target_link_options(qsx PRIVATE ${QUIV_WIN_LINK} ${QSX_LINK} -s)
endif()

# uidriver: starts a program, reports and answers its windows (a console program).
file(GLOB UIDRIVER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/uidriver/*.cpp)
if(UIDRIVER_SOURCES)
  add_executable(uidriver ${UIDRIVER_SOURCES})
  target_include_directories(uidriver PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(uidriver PRIVATE ${QUIV_ENGINE_FLAGS})
  target_link_libraries(uidriver PRIVATE gdi32 user32)
  target_link_options(uidriver PRIVATE ${QUIV_WIN_LINK})
endif()

if(QUIV_WIN_TESTS)
  # GoogleTest from the machine's sources, cross-built.
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # MinGW's win32 thread model has no std::mutex, which GoogleTest's Notification uses.
  target_compile_options(gtest PUBLIC -include ${CMAKE_SOURCE_DIR}/tests/win/support/GTestNotification.h)

  quiv_glob(WINTEST_SOURCES DIRS tests/win)
  if(WINTEST_SOURCES)
    # The builder's block writer and compressor make the blocks the decoding tests read.
    add_executable(wintests ${WINTEST_SOURCES} ${CMAKE_SOURCE_DIR}/builder/BitWriter.cpp
      ${CMAKE_SOURCE_DIR}/builder/BlockWriter.cpp ${CMAKE_SOURCE_DIR}/builder/Compressor.cpp)
    target_link_libraries(wintests PRIVATE quiv_engine quiv_host_fatal GTest::gtest GTest::gmock)
    target_link_options(wintests PRIVATE -static)
    set_target_properties(wintests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/win)
  endif()

  # DLLs that hold nothing but a version resource (tests/fixtures/versiondll/FileVersion*.rc, one
  # per version text), placed in the system directory by the end-to-end tests.
  file(GLOB VERSION_DLL_RESOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fixtures/versiondll/*.rc)
  foreach(rc ${VERSION_DLL_RESOURCES})
    get_filename_component(name ${rc} NAME_WE)
    add_library(${name} SHARED ${CMAKE_SOURCE_DIR}/tests/fixtures/versiondll/VersionDll.cpp ${rc})
    set_target_properties(${name} PROPERTIES PREFIX ""
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/fixtures/versiondll)
    target_link_options(${name} PRIVATE ${QUIV_WIN_LINK} -s)
  endforeach()
endif()

# Small Windows programs that the end-to-end tests drive (tests/fixtures/<name>/*.cpp, *.rc).
foreach(name uiprobe holdfile)
  set(dir ${CMAKE_SOURCE_DIR}/tests/fixtures/${name})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.rc)
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE gdi32 user32)
  target_link_options(${name} PRIVATE ${QUIV_WIN_LINK})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/fixtures)
endforeach()

# The engine's code in a test program of its own (tests/fixtures/imageprobe): it exposes what
# the engine computes (the uninstaller image) without a switch in the shipped qsx.exe.
file(GLOB IMAGEPROBE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fixtures/imageprobe/*.cpp)
if(IMAGEPROBE_SOURCES)
  add_executable(imageprobe WIN32 ${IMAGEPROBE_SOURCES})
  target_compile_options(imageprobe PRIVATE ${QUIV_ENGINE_FLAGS})
  target_link_libraries(imageprobe PRIVATE quiv_engine quiv_host_fatal)
  target_link_options(imageprobe PRIVATE ${QUIV_WIN_LINK} -s)
  set_target_properties(imageprobe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/fixtures)
endif()

# uishow: the installer's windows on their own, with the engine's code and dialog templates.
file(GLOB UISHOW_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fixtures/uishow/*.cpp)
if(UISHOW_SOURCES)
  add_executable(uishow WIN32 ${UISHOW_SOURCES} ${CMAKE_SOURCE_DIR}/app/FatalError.cpp ${QSX_RESOURCES})
  target_compile_options(uishow PRIVATE ${QUIV_ENGINE_FLAGS})
  target_link_libraries(uishow PRIVATE quiv_engine)
  target_link_options(uishow PRIVATE ${QUIV_WIN_LINK})
  set_target_properties(uishow PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/fixtures)
endif()
