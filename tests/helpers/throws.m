## TF = throws (F, IDENTIFIER)
## Whether F () raises an error with the identifier IDENTIFIER.
function tf = throws (f, identifier)
  try
    f ();
    tf = false;
  catch err
    tf = strcmp (err.identifier, identifier);
  end_try_catch
endfunction
