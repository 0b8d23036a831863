# Arrows between the layers only go down. A header or source that includes
# from a layer above its own stops the configuration, so a wrong include never
# builds.
function(lumograph_forbid_includes folder pattern why)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h" "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](${pattern})")
    if(hits)
      file(RELATIVE_PATH shown "${CMAKE_CURRENT_SOURCE_DIR}" "${source}")
      message(FATAL_ERROR "${shown} ${why}: ${hits}")
    endif()
  endforeach()
endfunction()

lumograph_forbid_includes(core "app/|reports/|Q" "is in core, which includes nothing of the program above it and no Qt")
lumograph_forbid_includes(app/controls "app/chart|app/qt|app/cli|app/Mainunit|app/report_tab|reports/|Q"
                          "is a control model, which knows no chart, form or Qt")
lumograph_forbid_includes(app/chart "app/qt|app/cli|app/Mainunit|app/report_tab|reports/"
                          "is in the chart layer, which knows no form")

# The chart model itself (app/chart, render/ aside) holds data only: no Qt, no painting.
file(GLOB model CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/app/chart/*.h" "${CMAKE_CURRENT_SOURCE_DIR}/app/chart/*.cpp")
foreach(source IN LISTS model)
  file(STRINGS "${source}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q|app/chart/render/)")
  if(hits)
    file(RELATIVE_PATH shown "${CMAKE_CURRENT_SOURCE_DIR}" "${source}")
    message(FATAL_ERROR "${shown} is the chart model, which never paints: ${hits}")
  endif()
endforeach()
lumograph_forbid_includes(reports "app/qt|app/cli|QtWidgets|QWidget|QApplication"
                          "is a report module, which never touches a widget")

file(GLOB_RECURSE readers CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/reports/*_reader.*"
     "${CMAKE_CURRENT_SOURCE_DIR}/app/*_reader.*")
foreach(reader IN LISTS readers)
  file(STRINGS "${reader}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](app/(controls|chart|qt|cli|Mainunit|report_tab|comments\\.h)|reports/.*[^r]\\.h|Q)")
  if(hits)
    file(RELATIVE_PATH shown "${CMAKE_CURRENT_SOURCE_DIR}" "${reader}")
    message(FATAL_ERROR "${shown} is a reader, which knows nothing of the form, the chart or Qt: ${hits}")
  endif()
endforeach()
