## D = call_digest (GENERATOR, SEED, CALL)
## Runs CALL with rand and randn set by (GENERATOR, SEED), then reduces its
## result and both generators' states to one MD5 digest (32 hexadecimal
## characters); rand and randn are restored afterwards.
##
## What is hashed: the result's class name, its dimensions and the bytes of
## its elements as doubles, then rand (GENERATOR) and randn (GENERATOR) as
## doubles. Nothing printed is hashed, and the states are converted to
## double because their class is not the same on every Octave version that
## might run this. With GENERATOR "seed" (Octave's older generator) the
## answer of rand ("seed") stands for the state, which that generator does
## not describe.
function d = call_digest (generator, seed, call)
  saved = {rand("state"), randn("state")};
  restore = onCleanup (@() restore_states (saved));
  rand (generator, seed);
  randn (generator, seed);
  y = call ();
  words = [double(size (y)), double(y(:))', ...
           double(rand (generator)(:))', double(randn (generator)(:))'];
  d = hash ("md5", char ([uint8(class (y)), typecast(words, "uint8")]));
endfunction

function restore_states (saved)
  rand ("state", saved{1});
  randn ("state", saved{2});
endfunction
