SELECT id ;
 FROM people && the people
 WHERE id = 1