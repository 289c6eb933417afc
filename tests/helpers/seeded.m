## CLEANUP = seeded (K)
## Seeds rand and randn with state K and restores both generators' states
## when CLEANUP goes out of scope, so one test never moves another's stream.
function cleanup = seeded (k)
  saved_rand = rand ("state");
  saved_randn = randn ("state");
  rand ("state", k);
  randn ("state", k);
  cleanup = onCleanup (@() restore_states (saved_rand, saved_randn));
endfunction

function restore_states (saved_rand, saved_randn)
  rand ("state", saved_rand);
  randn ("state", saved_randn);
endfunction
