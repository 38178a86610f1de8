# Editor tests that grab the screen: run with nothing else beside them. (Read by ctest after the
# discovered tests, so the names exist whenever the test program was built.)
set_tests_properties(
  CoolDialogBarTest.TrackerShowsInvertedWhileResizing
  ViewTest.PictureShowsTheSceneUnderTheOverlay
  EditorLayout.FirstStartGivesTheViewMostOfTheWindowAndShowsTheSample
  EditorFiles.FitSceneBringsALargeSceneIntoView
  PROPERTIES RUN_SERIAL TRUE)
