# The program's icon in the sizes of the icon theme, as PNG files
# ${ZEL_ICON_DIR}/<size>/zelvora.png: up to 32 pixels from the 32-pixel drawing
# (res/zelvora.ico, averaged by ImageMagick), from 48 pixels up rendered from the same
# picture drawn as shapes (res/linux/zelvora.svg, by librsvg's rsvg-convert), so that
# the large ones are sharp rather than the small pixels enlarged. The program carries
# the large ones (src/platform), the Debian package installs them all.
set(ZEL_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(ZEL_ICON_SIZES 16 22 24 32 48 64 128 256)
set(ZEL_LARGE_ICON_SIZES 48 64 128 256)

# The rules that make them and the target zelvora-icons; called once, in the folder
# of the target that embeds them.
function(zel_add_icon_rules)
  find_program(ZEL_CONVERT convert REQUIRED)    # imagemagick
  find_program(ZEL_RSVG rsvg-convert REQUIRED)  # librsvg2-bin
  set(files)
  foreach(size ${ZEL_ICON_SIZES})
    set(png ${ZEL_ICON_DIR}/${size}/zelvora.png)
    if(size IN_LIST ZEL_LARGE_ICON_SIZES)
      set(svg ${PROJECT_SOURCE_DIR}/res/linux/zelvora.svg)
      add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${ZEL_ICON_DIR}/${size}
        COMMAND ${ZEL_RSVG} --width=${size} --height=${size} --format=png --output=${png} ${svg}
        DEPENDS ${svg} VERBATIM)
    else()
      set(ico ${PROJECT_SOURCE_DIR}/res/zelvora.ico)
      add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${ZEL_ICON_DIR}/${size}
        COMMAND ${ZEL_CONVERT} ${ico} -filter box -resize ${size}x${size} -strip PNG32:${png}
        DEPENDS ${ico} VERBATIM)
    endif()
    list(APPEND files ${png})
  endforeach()
  add_custom_target(zelvora-icons DEPENDS ${files})
endfunction()
