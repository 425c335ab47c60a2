# End-to-end scenarios run by CTest, one Wine prefix each (see tests/e2e/run_e2e.sh).
set(MDX_E2E_SCENARIOS
  app.first_start
  app.second_copy
  app.keys_do_not_close
  app.popup_menu
  app.stored_settings
  app.about_box
  actions.timer_dialog_defaults
  actions.call_takes_the_title
  actions.program_runs_once
  nettime.dialog
  nettime.loopback_attempt
  settings.area_sheet
  settings.area_sheet_ok
  settings.options
)
