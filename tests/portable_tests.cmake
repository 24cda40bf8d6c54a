# Test programs that need neither Qt nor the emulated instrument: the Linux
# build runs them beside the others, the Windows build runs them under Wine.
# briskel_portable_test(NAME SOURCES... [SUPPORT FILES...]) is defined by the
# including file; sources are below tests/unit, and each test file belongs to
# one program only (support files may serve other programs too).
briskel_portable_test(link_parser_tests
  link/answer_filter_test.cpp link/identity_parser_test.cpp
  link/listing_parser_test.cpp link/modbus_frame_test.cpp)
briskel_portable_test(slot_text_tests import/slot_text_test.cpp)
briskel_portable_test(value_format_tests excel/value_format_test.cpp)
briskel_portable_test(spreadsheet_services_tests excel/spreadsheet_services_test.cpp
  SUPPORT excel/excel_test_support.cpp)
briskel_portable_test(ui_description_tests platform/ui_description_test.cpp)
