# Arrows between the layers only go down. A header or source that includes
# from a layer above its own stops the configuration, so a wrong include never
# builds. `globs` are relative to the source folder.
function(lumograph_forbid_includes pattern why)
  set(globs)
  foreach(glob IN LISTS ARGN)
    list(APPEND globs "${CMAKE_CURRENT_SOURCE_DIR}/${glob}")
  endforeach()
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${globs})
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](${pattern})")
    if(hits)
      file(RELATIVE_PATH shown "${CMAKE_CURRENT_SOURCE_DIR}" "${source}")
      message(FATAL_ERROR "${shown} ${why}: ${hits}")
    endif()
  endforeach()
endfunction()

lumograph_forbid_includes("app/|reports/|Q" "is in core, which includes nothing of the program above it and no Qt"
                          core/*.h core/*.cpp)
lumograph_forbid_includes("app/chart|app/qt|app/cli|app/Mainunit|app/report_tab|reports/|Q"
                          "is a control model, which knows no chart, form or Qt" app/controls/*.h app/controls/*.cpp)
lumograph_forbid_includes("app/qt|app/cli|app/Mainunit|app/report_tab|reports/"
                          "is in the chart layer, which knows no form" app/chart/*.h app/chart/*.cpp)
# The chart model itself (app/chart, render/ aside) holds data only: no Qt, no
# painting. GLOB_RECURSE of "app/chart/*.h" would reach render/, so it is named file by file.
file(GLOB model RELATIVE "${CMAKE_CURRENT_SOURCE_DIR}" CONFIGURE_DEPENDS
     "${CMAKE_CURRENT_SOURCE_DIR}/app/chart/*.h" "${CMAKE_CURRENT_SOURCE_DIR}/app/chart/*.cpp")
lumograph_forbid_includes("Q|app/chart/render/" "is the chart model, which never paints" ${model})
lumograph_forbid_includes("app/qt|app/cli|QtWidgets|QWidget|QApplication"
                          "is a report module, which never touches a widget" reports/*.h reports/*.cpp)
lumograph_forbid_includes(
    "app/(controls|chart|qt|cli|Mainunit|report_tab|comments\\.h)|reports/.*[^r]\\.h|Q"
    "is a reader, which knows nothing of the form, the chart or Qt" reports/*_reader.* app/*_reader.*)
