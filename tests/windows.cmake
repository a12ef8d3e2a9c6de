# The tests the Windows cross build runs under Wine: those of the pure
# libraries (they link neither GL nor the desktop libraries Windows lacks
# here) and those of the Win32 platform layer.

# The fuzz corpora and fixtures are read through the host's root, which Wine
# shows as drive Z:.
function(mg_windows_path out path)
  set(${out} "Z:${path}" PARENT_SCOPE)
endfunction()

mg_add_test(SceneCoreTest
  SOURCES scene/camera_test.cpp scene/autopilot_test.cpp scene/terrain_geometry_test.cpp
          scene/obj_reader_test.cpp scene/obj_fuzz_check.cpp scene/obj_fuzz_replay_test.cpp
          scene/water_animation_test.cpp scene/placement_test.cpp scene/grass_cells_test.cpp
          scene/model_geometry_test.cpp
  LIBS mg_scene_core)
mg_windows_path(corpus ${CMAKE_CURRENT_SOURCE_DIR}/scene/fuzz_corpus)
target_compile_definitions(SceneCoreTest PRIVATE MG_OBJ_CORPUS="${corpus}")

mg_add_test(BenchCoreTest
  SOURCES bench/benchmark_path_test.cpp bench/benchmark_player_test.cpp
          bench/compare_page_test.cpp bench/frame_statistics_test.cpp
          bench/frame_time_figures_test.cpp bench/hud_lines_test.cpp bench/result_codec_test.cpp
          bench/result_page_test.cpp bench/run_report_test.cpp bench/system_info_text_test.cpp
          bench/triangle_check_test.cpp bench/lap_figures_test.cpp bench/reference_views_test.cpp
  LIBS mg_bench_core nlohmann_json::nlohmann_json)

mg_add_test(GuiCoreTest SOURCES gui/menu_items_test.cpp gui/menu_pages_test.cpp LIBS mg_gui_core)

mg_add_test(LangCoreTest SOURCES lang/lang_fuzz_check.cpp lang/lang_fuzz_replay_test.cpp
            LIBS mg_lang_core)
mg_windows_path(corpus ${CMAKE_CURRENT_SOURCE_DIR}/lang/fuzz_corpus)
target_compile_definitions(LangCoreTest PRIVATE MG_LANG_CORPUS="${corpus}")

mg_add_test(SoundCoreTest
  SOURCES sound/sound_effect_test.cpp sound/wav_walk_test.cpp sound/wav_fuzz_check.cpp
          sound/wav_fuzz_replay_test.cpp
  LIBS mg_sound_core)
mg_windows_path(corpus ${CMAKE_CURRENT_SOURCE_DIR}/sound/fuzz_corpus)
target_compile_definitions(SoundCoreTest PRIVATE MG_SOUND_CORPUS="${corpus}")

mg_add_test(SettingsCoreTest
  SOURCES settings/ini_document_test.cpp settings/settings_fuzz_check.cpp
          settings/settings_fuzz_replay_test.cpp
  LIBS mg_settings_core)
mg_windows_path(corpus ${CMAKE_CURRENT_SOURCE_DIR}/settings/fuzz_corpus)
target_compile_definitions(SettingsCoreTest PRIVATE MG_SETTINGS_CORPUS="${corpus}")

mg_add_test(PlatformCoreTest
  SOURCES platform/text_codec_test.cpp platform/smbios_fuzz_check.cpp
          platform/smbios_fuzz_replay_test.cpp platform/smbios_table_test.cpp
  LIBS mg_platform)
mg_windows_path(corpus ${CMAKE_CURRENT_SOURCE_DIR}/platform/fuzz_corpus)
target_compile_definitions(PlatformCoreTest PRIVATE MG_SMBIOS_CORPUS="${corpus}")

mg_add_test(RenderCoreTest SOURCES render/shader_text_test.cpp LIBS mg_render_core)
mg_add_test(CommandLineTest SOURCES app/command_line_test.cpp LIBS mg_app_core)

# The Win32 platform layer.
mg_add_test(Win32CoreTest SOURCES win32/command_line_test.cpp win32/mail_address_test.cpp
            win32/text_layout_test.cpp LIBS mg_platform_win32_core shell32)
mg_add_test(Win32Test
  SOURCES win32/file_io_test.cpp win32/local_port_test.cpp win32/paths_test.cpp
          win32/power_test.cpp win32/shell_test.cpp win32/system_clock_test.cpp
          win32/system_info_test.cpp win32/zip_test.cpp win32/audio_output_test.cpp
          win32/canvas_gdi_test.cpp
  LIBS mg_platform_win32 ws2_32 ZLIB::ZLIB)
# The program the shell tests start.
add_executable(win32-args-echo win32/args_echo.cpp)
target_link_options(win32-args-echo PRIVATE -municode)
add_dependencies(Win32Test win32-args-echo)
target_compile_definitions(Win32Test PRIVATE MG_ARGS_ECHO="Z:$<TARGET_FILE:win32-args-echo>")

mg_add_test(Win32WindowTest SOURCES win32/window_helpers_test.cpp
            LIBS mg_platform_win32 opengl32)

mg_add_test(Win32SettingsTest SOURCES win32/settings_location_test.cpp LIBS mg_settings)

# Once per zone: one with daylight-saving time, one without and half an hour
# off the hour.
mg_add_test(Win32TimeZoneTest SOURCES win32/time_zone_test.cpp LIBS mg_platform_win32)
set_tests_properties(Win32TimeZoneTest PROPERTIES ENVIRONMENT
                     "LC_ALL=C.UTF-8;TZ=Europe/Berlin;MG_EXPECTED_ZONE=60 1")
add_test(NAME Win32TimeZoneTest.NoDaylightSaving COMMAND Win32TimeZoneTest)
set_tests_properties(Win32TimeZoneTest.NoDaylightSaving PROPERTIES ENVIRONMENT
                     "LC_ALL=C.UTF-8;TZ=Asia/Kolkata;MG_EXPECTED_ZONE=330 0")

# The program itself, on a virtual X display, in a prefix of its own: a
# Wine session started by a test without a display (the others here) has
# no display driver, and a program sharing it could open no window.
add_test(NAME e2e.WindowsProgramUnderWine
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/wine_program_test.sh
                 ${CMAKE_SOURCE_DIR}/tests/wine-run.sh ${MG_WINE_PREFIX}-display
                 $<TARGET_FILE:morvandel-gauge> ${MG_TOOLS_FROM}/app/morvandel-compare-server)
set_tests_properties(e2e.WindowsProgramUnderWine PROPERTIES TIMEOUT 600)

# Wine makes its prefix on first use; once, before the tests, so that they do
# not race to make it.
add_test(NAME WinePrefix COMMAND ${CMAKE_SOURCE_DIR}/tests/wine-run.sh ${MG_WINE_PREFIX} wineboot
                                 --init)
set_tests_properties(WinePrefix PROPERTIES FIXTURES_SETUP WinePrefix TIMEOUT 300)
get_property(mg_windows_tests DIRECTORY PROPERTY TESTS)
list(REMOVE_ITEM mg_windows_tests WinePrefix)
set_property(TEST ${mg_windows_tests} PROPERTY FIXTURES_REQUIRED WinePrefix)
