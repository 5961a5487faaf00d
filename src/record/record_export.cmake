# The spreadsheet export of a recording (core and Qt parts), kept apart from the
# recorder's own source list.
find_library(LXV_XLSXWRITER_LIBRARY xlsxwriter REQUIRED)
target_sources(lxv_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/record_export.cpp)
target_link_libraries(lxv_core PUBLIC ${LXV_XLSXWRITER_LIBRARY})
if(LXV_BUILD_GUI)
  target_sources(lxv_gui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/record_export_qt.cpp)
endif()
