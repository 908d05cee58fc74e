# Every test carries the label of its tier (unit, slow, race, e2e, server, install, bench), so
# that `ctest -L` picks one. A build may add labels of its own to all of them: the asan preset
# adds "sanitizer".
set(RESERVAS_TEST_LABELS "" CACHE STRING "Labels added to every test of this build")

function(label_test name)
    set_property(TEST ${name} APPEND PROPERTY LABELS ${ARGN} ${RESERVAS_TEST_LABELS})
endfunction()
