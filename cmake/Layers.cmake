# The layers of src/ and what each may use, bottom first: the design's layering table, in the one
# place the build and the CI check read it from. A layer may include the headers of the layers it
# may use and of everything those may use in turn; nothing above it, nothing beside it.
set(VL_LAYERS text runtime resources value format platform render edit control binding pages host api script desktop)

set(VL_USES_text "")
set(VL_USES_runtime text)
set(VL_USES_resources text)
set(VL_USES_value runtime resources)
set(VL_USES_format value)
set(VL_USES_platform text runtime)
set(VL_USES_render format platform)
set(VL_USES_edit format platform render)
set(VL_USES_control edit render)
set(VL_USES_binding control)
set(VL_USES_pages control)
set(VL_USES_host control binding pages)
set(VL_USES_api host)
set(VL_USES_script api)
set(VL_USES_desktop api)

# Facades: layers whose users see only their public headers (include/vltext, "vltext/..."), never
# their own folder nor anything under them. The Lua host and the desktop host are built on the
# public interface alone, as any other program is.
set(VL_FACADES api)

# Layers whose headers a layer never includes itself, although it may use them through another:
# the container paints a window tree through the window system, each window painting itself, so
# it never reaches into the editors.
set(VL_NEVER_host edit)

# vl_layer_closure(OUT layer): every layer `layer` may use, directly or through another; what a
# facade uses stays behind it.
function(vl_layer_closure out layer)
  set(result)
  set(pending ${VL_USES_${layer}})
  while(pending)
    list(POP_FRONT pending next)
    if(NOT next IN_LIST result)
      list(APPEND result ${next})
      if(NOT next IN_LIST VL_FACADES)
        list(APPEND pending ${VL_USES_${next}})
      endif()
    endif()
  endwhile()
  set(${out} ${result} PARENT_SCOPE)
endfunction()
