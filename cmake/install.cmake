# Installs targets into the program's own folder; a program also gets a link in the folder of
# programs, where the platform has links.
function(install_beside_program)
    install(TARGETS ${ARGN} RUNTIME DESTINATION ${RESERVAS_INSTALL_DIR}
                            LIBRARY DESTINATION ${RESERVAS_INSTALL_DIR})
endfunction()

function(install_program target)
    install_beside_program(${target})
    if(UNIX)
        file(RELATIVE_PATH target_path ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}
             ${CMAKE_INSTALL_PREFIX}/${RESERVAS_INSTALL_DIR}/${target})
        install(CODE "
            set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${target}\")
            file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
            file(CREATE_LINK \"${target_path}\" \"\${link}\" SYMBOLIC)
            message(STATUS \"Installing: \${link}\")")
    endif()
endfunction()

# The session files that start the program full screen at log-in: a systemd user unit and an
# autostart entry, naming the program where it was installed.
function(install_session_file source destination)
    install(CODE "
        file(READ \"${source}\" text)
        string(REPLACE \"@PROGRAM@\" \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/reservas-terminal\" text \"\${text}\")
        get_filename_component(name \"${source}\" NAME)
        set(target \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${destination}/\${name}\")
        file(WRITE \"\${target}\" \"\${text}\")
        message(STATUS \"Installing: \${target}\")")
endfunction()
