# Arrows one way: each layer's library links only the layers below it, the
# publisher, the recorder and the server only what runs without a window (the recorder
# computes channels as the windows do), the launcher the server as well, and nothing
# below plot/ draws with QCustomPlot. Checked as the build is configured, so
# a wrong link fails there and then.
function(boardpanel_check_layers)
  set(layers protocol data device analysis widgets plot instruments launcher)
  set(allowed_publish protocol data)
  set(allowed_recorderparts protocol data device analysis publish)
  set(allowed_server protocol data device analysis)
  set(below "")
  foreach(layer IN LISTS layers)
    set(allowed_${layer} ${below})
    if(data IN_LIST below)
      list(APPEND allowed_${layer} publish)
    endif()
    list(APPEND below ${layer})
  endforeach()
  # The panel serves SCPI clients too.
  list(APPEND allowed_launcher server)
  foreach(library IN LISTS layers ITEMS publish recorderparts server)
    get_target_property(links ${library} LINK_LIBRARIES)
    foreach(link IN LISTS links)
      if(link IN_LIST layers OR link MATCHES "^(publish|recorderparts|server)$")
        if(NOT link IN_LIST allowed_${library})
          message(SEND_ERROR "${library} links ${link}, a layer it must not reach")
        endif()
      elseif(link MATCHES "QCustomPlot" AND NOT library MATCHES "^(plot|instruments|launcher)$")
        message(SEND_ERROR "${library} links ${link}: only plot/ and above draw plots")
      endif()
    endforeach()
  endforeach()
endfunction()
boardpanel_check_layers()
