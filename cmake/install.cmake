# What `cmake --install` puts in comes in components: the terminal itself (every rule that names
# none), the support tool ("tools"), the unit where a prefix of one's own wants it ("home"), and
# the files only the Debian package carries ("deb", left out of a plain install). The package
# (cmake/package.cmake) takes "terminal" and "deb".
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME terminal)

# Installs targets into the program's own folder; a program also gets a link in the folder of
# programs, where the platform has links.
function(install_beside_program)
    install(TARGETS ${ARGN} RUNTIME DESTINATION ${RESERVAS_INSTALL_DIR}
                            LIBRARY DESTINATION ${RESERVAS_INSTALL_DIR})
endfunction()

# install_program(TARGET [COMPONENT NAME])
function(install_program target)
    cmake_parse_arguments(PARSE_ARGV 1 P "" "COMPONENT" "")
    if(NOT P_COMPONENT)
        set(P_COMPONENT ${CMAKE_INSTALL_DEFAULT_COMPONENT_NAME})
    endif()
    install(TARGETS ${target} RUNTIME DESTINATION ${RESERVAS_INSTALL_DIR} COMPONENT ${P_COMPONENT})
    if(UNIX)
        file(RELATIVE_PATH target_path ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}
             ${CMAKE_INSTALL_PREFIX}/${RESERVAS_INSTALL_DIR}/${target})
        install(CODE "
            set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${target}\")
            file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
            file(CREATE_LINK \"${target_path}\" \"\${link}\" SYMBOLIC)
            message(STATUS \"Installing: \${link}\")" COMPONENT ${P_COMPONENT})
    endif()
endfunction()

# The session files that start the program full screen at log-in: a systemd user unit and an
# autostart entry, naming the program where it was installed. The destination is under the
# prefix unless absolute.
#   install_session_file(SOURCE DESTINATION [COMPONENT NAME] [EXCLUDE_FROM_ALL])
function(install_session_file source destination)
    cmake_parse_arguments(PARSE_ARGV 2 S "EXCLUDE_FROM_ALL" "COMPONENT" "")
    if(NOT S_COMPONENT)
        set(S_COMPONENT ${CMAKE_INSTALL_DEFAULT_COMPONENT_NAME})
    endif()
    if(S_EXCLUDE_FROM_ALL)
        set(exclude EXCLUDE_FROM_ALL)
    endif()
    if(IS_ABSOLUTE ${destination})
        set(folder "${destination}")
    else()
        set(folder "\${CMAKE_INSTALL_PREFIX}/${destination}")
    endif()
    install(CODE "
        file(READ \"${source}\" text)
        string(REPLACE \"@PROGRAM@\" \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/reservas-terminal\" text \"\${text}\")
        get_filename_component(name \"${source}\" NAME)
        set(target \"\$ENV{DESTDIR}${folder}/\${name}\")
        file(WRITE \"\${target}\" \"\${text}\")
        message(STATUS \"Installing: \${target}\")" COMPONENT ${S_COMPONENT} ${exclude})
endfunction()
